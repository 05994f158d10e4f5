# shellcheck shell=bash
# Wine's own fonts (Marlett for the caption buttons, Tahoma for the dialogs) from Debian's
# fonts-wine, put where this Wine looks for them: the prefix's Fonts folder. Without them the
# caption buttons show the letter "r" and the dialogs fall back to DejaVu. Beside them WenQuanYi
# Micro Hei (fonts-wqy-microhei), which Wine links to its fonts for the Chinese, Japanese and
# Korean letters they lack.

wine_fonts_install() {  # wine_fonts_install: into $WINEPREFIX, once
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$fonts/"
}
