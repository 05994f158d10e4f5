# shellcheck shell=bash
# Wine's own fonts (Marlett for the caption buttons, Tahoma for the dialogs) from Debian's
# fonts-wine, put where this Wine looks for them: the prefix's Fonts folder. Without them the
# caption buttons show the letter "r" and the dialogs fall back to DejaVu. Beside them WenQuanYi
# Micro Hei (fonts-wqy-microhei), linked to Tahoma and Microsoft Sans Serif as Windows links its
# own East Asian fonts: it draws the Chinese, Japanese and Korean letters, and the direction marks,
# that Wine's Tahoma lacks (else shown as boxes).

wine_fonts_install() {  # wine_fonts_install: into $WINEPREFIX, once
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$fonts/"
  local link=$WINEPREFIX/drive_c/font-link.reg
  {
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\n'
    local face
    for face in Tahoma "Microsoft Sans Serif"; do
      printf '"%s"="wqy-microhei.ttc,WenQuanYi Micro Hei"\n' "$face"
    done
  } >"$link"
  "${wine:-$WINE}" regedit /S 'C:\font-link.reg' 2>/dev/null
}
