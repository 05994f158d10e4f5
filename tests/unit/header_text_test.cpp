#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "mailtext/charsets.h"
#include "mailtext/encoded_words.h"
#include "mailtext/header_fields.h"
#include "mailtext/header_text.h"
#include "mailtext/sender_name.h"
#include "mailtext/shown_text.h"
#include "mailtext/utf8_text.h"
#include "platform/posix/text_conversion_posix.h"
#include "platform/standin/standin_text_conversion.h"

namespace vantrel::mailtext {
namespace {

struct Case {
  std::string_view input;
  std::string_view expected;
};

TEST(DecodeHeaderText, ReadsEveryBuiltInCharsetWithoutTheSystem) {
  const Case cases[] = {
      {"=?UTF-8?B?0J/RgNC40LLQtdGC?=", "Привет"},
      {"=?utf8?b?0J/RgNC40LLQtdGC?=", "Привет"},
      {"=?windows-874?Q?=CA=C7=D1=CA=B4=D5?=", "สวัสดี"},
      {"=?windows-1250?Q?=8Elu=9Dou=E8k=FD_k=F9=F2?=", "Žluťoučký kůň"},
      {"=?windows-1251?B?z/Do4uXy?=", "Привет"},
      {"=?cp1251?Q?=CF=F0=E8=E2=E5=F2=2C_=EC=E8=F0?=", "Привет, мир"},
      {"=?windows-1252?Q?=93Caf=E9=94_=96_5_=80?=", "“Café” – 5 €"},
      {"=?windows-1253?Q?=CA=E1=EB=E7=EC=DD=F1=E1?=", "Καλημέρα"},
      {"=?windows-1254?Q?=DDstanbul=92da_=F0=FC=FE=F6=E7?=", "İstanbul’da ğüşöç"},
      {"=?windows-1255?Q?=F9=EC=E5=ED_=A4?=", "שלום ₪"},
      {"=?windows-1256?Q?=E3=D1=CD=C8=C7?=", "مرحبا"},
      {"=?windows-1257?Q?=C0=FEuolas_=F8?=", "Ąžuolas ų"},
      {"=?windows-1258?Q?Ti=EA=ECng_Vi=EA=F2t?=", "Ti\u00EA\u0301ng Vi\u00EA\u0323t"},
      {"=?iso-8859-1?Q?Caf=E9_cr=E8me?=", "Café crème"},
      {"=?ISO-8859-2?Q?Za=BF=F3=B3=E6_g=EA=B6l=B1?=", "Zażółć gęślą"},
      {"=?iso-8859-3?Q?=A1al_=D5=B1arg=B1ur?=", "Ħal Ġħargħur"},
      {"=?iso-8859-4?Q?=A3=EFga_=F3?=", "Ŗīga ķ"},
      {"=?ISO-8859-5?B?v+DY0tXi?=", "Привет"},
      {"=?iso-8859-6?Q?=E5=D1=CD=C8=C7?=", "مرحبا"},
      {"=?iso-8859-7?Q?=C3=E5=E9=DC_=F3=EF=F5?=", "Γειά σου"},
      {"=?iso-8859-8-i?Q?=F9=EC=E5=ED?=", "שלום"},
      {"=?iso-8859-9?Q?=DEi=FEli_=F0?=", "Şişli ğ"},
      {"=?iso-8859-10?Q?=AF=BB_=F0?=", "Ŋŧ ð"},
      {"=?iso-8859-11?Q?=CA=C7=D1=CA=B4=D5?=", "สวัสดี"},
      {"=?iso-8859-13?Q?=D9=F3d=EA_=E0?=", "Łódź ą"},
      {"=?iso-8859-14?Q?=D0=FE_=A2?=", "Ŵŷ ḃ"},
      {"=?iso-8859-15?Q?Prix_10_=A4_=BD?=", "Prix 10 € œ"},
      {"=?iso-8859-16?Q?=AAtiin=FE=E3_=BA?=", "Știință ș"},
      {"=?koi8-r?Q?=F0=D2=C9=D7=C5=D4?=", "Привет"},
      {"=?KOI8-U?q?=BD=C1=CE=CF=CB_=A6?=", "Ґанок і"},
      {"=?latin1?Q?na=EFve?=", "naïve"},
      // Names as some programs write them under a C locale, with dots.
      {"=?ANSI_X3.4-1968?Q?hello?=", "hello"},
      // Labels that Windows mail programs read as the Windows sets that contain them.
      {"=?iso-8859-1?Q?=93quoted=94?=", "“quoted”"},
      {"=?us-ascii?Q?=93plain=94?=", "“plain”"},
      // A byte the set leaves undefined is marked, not passed on.
      {"=?iso-8859-3?Q?=A5?=", "\uFFFD"},
      // UTF-8 that is not UTF-8 is read like 8-bit bytes without a label.
      {"=?utf-8?Q?caf=E9?=", "café"},
      {"=?unknown-8bit?Q?caf=C3=A9_caf=E9?=", "cafÃ© café"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(decodeHeaderText(input, nullptr), expected) << input;
  }
}

TEST(DecodeHeaderText, JoinsAdjacentWordsAndLeavesWhatDoesNotDecodeAsWritten) {
  const Case cases[] = {
      // Blanks between encoded words go, folded ones too; text between them keeps its own.
      {"=?utf-8?q?a?= =?utf-8?q?b?=", "ab"},
      {"=?utf-8?q?a?=\t  =?ISO-8859-1?q?b?=", "ab"},
      {"=?utf-8?q?a?= x =?utf-8?q?b?=", "a x b"},
      {"Re: =?utf-8?q?caf=C3=A9?= !", "Re: café !"},
      {"=?utf-8?q?two_words?==?utf-8?q?_joined?=", "two words joined"},
      // A character split between two words of the same set.
      {"=?utf-8?Q?=C3?= =?UTF-8?Q?=A9t=C3=A9?=", "été"},
      {"=?utf-8?B?0J/RgNC4?= =?utf-8?B?0LLQtdGC?=", "Привет"},
      // One word that is not UTF-8 is read alone; its neighbours stay UTF-8, joined where a
      // character is split between them.
      {"=?utf-8?Q?J=C3=B6rg?= =?utf-8?Q?M=FCller?=", "JörgMüller"},
      {"=?utf-8?Q?=C3?= =?utf-8?Q?=A9?= =?utf-8?Q?M=FCller?= =?utf-8?Q?_=C3=A0?=", "éMüller à"},
      // A language after the set's name.
      {"=?utf-8*fr?q?oui?=", "oui"},
      {"=?utf-8?b?w6k?=", "é"},  // padding left out
      {"=?utf-8?q?\?=", ""},
      {"a=?utf-8?q?b?=c", "abc"},
      // Left as written: unknown set, bad Base64, bad escape, blank inside, no end.
      {"=?x-nothing?q?abc?= et", "=?x-nothing?q?abc?= et"},
      {"=?utf-8?B?w6*k?=", "=?utf-8?B?w6*k?="},
      {"=?utf-8?B?w6k=x?=", "=?utf-8?B?w6k=x?="},
      {"=?utf-8?B?w?=", "=?utf-8?B?w?="},
      {"=?utf-8?Q?=G1?=", "=?utf-8?Q?=G1?="},
      {"=?utf-8?Q?a=?=", "=?utf-8?Q?a=?="},
      {"=?utf-8?X?abc?=", "=?utf-8?X?abc?="},
      {"=?utf-8?q?a b?=", "=?utf-8?q?a b?="},
      {"=?utf-8?q?open", "=?utf-8?q?open"},
      {"=??q?a?= =?*fr?q?a?=", "=??q?a?= =?*fr?q?a?="},
      // A word that stays as written keeps the blanks on both sides; the others still decode.
      {"=?utf-8?q?a?= =?x-none?q?b?=  =?utf-8?q?c?=", "a =?x-none?q?b?=  c"},
      {"=?utf-8?q?=C3=A9?= =?x-none?q?b?=", "é =?x-none?q?b?="},
      // Where "=?" begins no word, a word may begin just after it.
      {"=?=?utf-8?q?x?=", "=?x"},
      // 8-bit bytes outside the words: UTF-8 when the whole value is, Windows-1252 otherwise.
      {"Caf\xC3\xA9 =?iso-8859-1?q?cr=E8me?=", "Café crème"},
      {"Caf\xE9 \x80 \x93ok\x94 \xC3\xA9", "Café € “ok” Ã©"},
      {"\x81", "\uFFFD"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(decodeHeaderText(input, nullptr), expected) << input;
  }
}

TEST(DecodeHeaderText, ACutValueShowsWhatItHoldsAndAnEllipsis) {
  const Case cases[] = {
      {"Sujet =?utf-8?B?0J/RgNC40LLQ", "Sujet Прив…"},
      {"=?utf-8?B?0J/RgNC40LLQtdGC?", "Привет…"},
      {"=?utf-8?Q?caf=C3=A", "caf…"},
      {"=?utf-8?Q?caf=", "caf…"},
      {"=?koi8-r?Q?=F0=D2", "Пр…"},
      {"=?utf-8?B?0J/RgNC4?= =?utf-8?B?0LLQ", "Прив…"},
      {"=?x-nothing?B?0J/R", "…"},
      // Raw UTF-8 cut inside a character is still UTF-8.
      {"Caf\xC3\xA9 cr\xC3", "Café cr"},
      {"=?utf-8?Q", "=?utf-8?Q"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(decodeHeaderText(input, nullptr, true), expected) << input;
  }
}

struct ConversionCase {
  std::string_view charset;
  std::string_view base64;
  std::string_view expected;
};

TEST(DecodeHeaderText, AsksTheSystemForOtherSetsAndLeavesThemAsWrittenWithoutIt) {
  const platform::posix::IconvTextConversion iconv;
  const platform::standin::StandinTextConversion none;
  const ConversionCase cases[] = {
      {"shift_jis", "k/qWe4zqgsyMj5a8", "日本語の件名"},
      {"ISO-2022-JP", "GyRCRnxLXDhsGyhC", "日本語"},
      {"euc-kr", "vsiz58fPvLy/5A==", "안녕하세요"},
      {"gb2312", "xOO6ww==", "你好"},
      {"big5", "p0Gmbg==", "你好"},
      {"euc-jp", "xvzL3A==", "日本"},
      {"GBK", "urrX1g==", "汉字"},
      {"ISO_8859-1:1987", "Y2Fm6Q==", "café"},
  };
  for (const auto& [charset, base64, expected] : cases) {
    const std::string word = "=?" + std::string(charset) + "?B?" + std::string(base64) + "?=";
    EXPECT_EQ(decodeHeaderText(word, &iconv), expected) << word;
    EXPECT_EQ(decodeHeaderText(word, &none), word);
    EXPECT_EQ(decodeHeaderText(word, nullptr), word);
  }
  // Shift_JIS split inside a character between two words, and cut inside one.
  EXPECT_EQ(decodeHeaderText("=?shift_jis?Q?=93=FA=96?= =?shift_jis?Q?=7B?=", &iconv), "日本");
  EXPECT_EQ(decodeHeaderText("=?shift_jis?Q?=93=FA=96", &iconv, true), "日…");
  // Bytes that are not Shift_JIS.
  EXPECT_EQ(decodeHeaderText("=?shift_jis?Q?=FF=FF?=", &iconv), "=?shift_jis?Q?=FF=FF?=");
}

TEST(IconvTextConversion, GivesNothingForUnknownSetsBadBytesAndNamesWithOptions) {
  const platform::posix::IconvTextConversion iconv;
  EXPECT_EQ(iconv.toUtf8("SHIFT_JIS", "\x93\xFA"), "日");
  EXPECT_EQ(iconv.toUtf8("shift_jis", ""), "");
  EXPECT_EQ(iconv.toUtf8("x-nothing", "abc"), std::nullopt);
  EXPECT_EQ(iconv.toUtf8("shift_jis", "\x93"), std::nullopt);  // cut character
  EXPECT_EQ(iconv.toUtf8("utf-8", "\xFF"), std::nullopt);
  EXPECT_EQ(iconv.toUtf8("UTF-8//IGNORE", "\xFF"), std::nullopt);
  EXPECT_EQ(iconv.toUtf8(std::string(65, 'a'), "a"), std::nullopt);
}

TEST(HeaderField, FindsTheFirstFieldOfANameAndUnfoldsIt) {
  const std::string_view header =
      "Received: from relay\r\n"
      "\tby host; Mon, 1 Jan 2024 10:00:00 +0000\r\n"
      "SUBJECT: first\r\n"
      " second\r\n"
      "\tthird  \r\n"
      "Subject: later\r\n"
      "Thread-Topic : spaced name\r\n"
      "\r\n"
      "To: in the body\r\n";
  const auto subject = headerField(header, "subject");
  ASSERT_TRUE(subject);
  EXPECT_EQ(subject->value, "first second\tthird");
  EXPECT_FALSE(subject->cut);
  EXPECT_EQ(headerField(header, "Thread-Topic")->value, "spaced name");
  EXPECT_FALSE(headerField(header, "To"));
  EXPECT_FALSE(headerField(header, "by host; Mon, 1 Jan 2024 10"));
  EXPECT_FALSE(headerField(" Subject: a continuation without a field\n", "Subject"));

  EXPECT_TRUE(headerField("Subject: cut sho", "Subject")->cut);
  EXPECT_TRUE(headerField("Subject: a\n b", "Subject")->cut);
  const auto long_ =
      headerField("Subject: " + std::string(kMaxFieldValue + 10, 'a') + "\n", "Subject");
  EXPECT_EQ(long_->value.size(), kMaxFieldValue - 1);  // less the blank after the colon
  EXPECT_TRUE(long_->cut);
}

TEST(SummarizeHeader, ReadsSenderSubjectIdAndDateOfAHeaderBlock) {
  const platform::posix::IconvTextConversion iconv;
  const auto summary = summarizeHeader(
      "Return-Path: <a@example.org>\r\n"
      "From: =?ISO-8859-5?B?v+DY0tXi?= <ivan@example.org>\r\n"
      "Subject: =?utf-8?B?0J/RgNC40LLQtdGC?=\r\n"
      " =?utf-8?q?_=E2=80=AEtxt.exe?=\r\n"
      "\t=?shift_jis?B?k/qWe4zqgsyMj5a8?=\r\n"
      "Date: Mon, 1 Jan 2024\r\n"
      "  10:00:00 +0100\r\n"
      "Message-ID: <1@example.org>\r\n"
      "\r\n",
      &iconv);
  EXPECT_EQ(summary.from, "Привет");
  // Folded over three lines; the right-to-left override is gone.
  EXPECT_EQ(summary.subject, "Привет txt.exe日本語の件名");
  EXPECT_EQ(summary.date, "Mon, 1 Jan 2024  10:00:00 +0100");
  EXPECT_EQ(summary.messageId, "<1@example.org>");

  const auto plain = summarizeHeader("from: Ren\xE9 <r@x.fr>\nsubject: Caf\xE9\n", nullptr);
  EXPECT_EQ(plain.from, "René");
  EXPECT_EQ(plain.subject, "Café");

  const auto bare = summarizeHeader("From: someone@example.org\r\n\r\nSubject: body\r\n", nullptr);
  EXPECT_EQ(bare.from, "someone@example.org");
  EXPECT_EQ(bare.subject, "");
  EXPECT_EQ(bare.messageId, "");

  // A FETCH literal cut in the middle of the subject's second word.
  const auto cut =
      summarizeHeader("From: a@b\r\nSubject: =?utf-8?q?Hello?= =?utf-8?B?0J/RgNC4", nullptr);
  EXPECT_EQ(cut.subject, "HelloПри…");

  // A subject whose words hold line breaks and controls still shows as one line.
  EXPECT_EQ(summarizeHeader("Subject: =?utf-8?q?a=0D=0Ab=07?=\n", nullptr).subject, "a b");
}

TEST(SenderName, ShowsTheDisplayNameElseTheAddress) {
  const Case cases[] = {
      {"\"Doe, John\" <john@example.org>", "Doe, John"},
      {"John Doe <john@example.org>", "John Doe"},
      {"<john@example.org>", "john@example.org"},
      {"john@example.org", "john@example.org"},
      {"john @ example.org", "john@example.org"},
      {"john@example.org (John Doe)", "John Doe"},
      {"\"\" <john@example.org>", "john@example.org"},
      {"  <john@example.org> (comment)", "john@example.org"},
      {"John (Johnny) Doe <j@example.org>", "John Doe"},
      {"\"a \\\"quoted\\\" \\\\ name\" <a@b>", "a \"quoted\" \\ name"},
      {"(outer (inner) \\) text) a@b", "outer (inner) ) text"},
      {"=?utf-8?B?0J/RgNC40LLQtdGC?= <ivan@example.org>", "Привет"},
      {"\"=?utf-8?q?J=C3=BCrgen?=\" <j@example.org>", "Jürgen"},
      {"=?x-nothing?q?Who?= <w@example.org>", "=?x-nothing?q?Who?="},
      {"A <a@b>, B <b@c>", "A"},
      {", , B <b@c>", "B"},
      {"<@relay.example,@other.example:user@host.example>", "user@host.example"},
      {"Friends: a@b, c@d;", "a@b"},
      {"undisclosed-recipients:;", "undisclosed-recipients"},
      {"Just A Name", "Just A Name"},
      {"Just (Not) A Name", "Just A Name"},
      {"Ren\xE9 <r@x.fr>", "René"},
      {"<ren\xC3\xA9@x.fr>", "rené@x.fr"},
      {"\"unclosed <a@b>", "unclosed <a@b>"},
      {"(unclosed comment <a@b>", "unclosed comment <a@b>"},
      {"<a@b", "a@b"},
      {"", ""},
      // Names that show nothing give way to the address.
      {"=?utf-8?Q?=E2=80=8E?= <phish@evil.example>", "phish@evil.example"},
      {"=?utf-8?Q?=E2=80=8B_=E2=81=A0=EF=BB=BF?= <a@b>", "a@b"},
      {"\"\xC2\xA0\xE3\x80\x80\xE1\x85\x9F\" <a@b>", "a@b"},
      {"a@b (=?utf-8?Q?=E2=80=AE=E2=80=8F?=)", "a@b"},
      {"=?utf-8?Q?=E2=80=8BBob?= <b@c>", "\u200BBob"},
      // An encoded name is one token, whatever RFC 2047 forbids in it.
      {"=?utf-8?Q?M=C3=BCller,_Hans?= <h@x.org>", "Müller, Hans"},
      {"=?utf-8?Q?Re:_Support?=", "Re: Support"},
      {"=?utf-8?Q?Smith_(Sales)_\"HQ\"_<x>;?= <s@x.org>, B <b@c>", "Smith (Sales) \"HQ\" <x>;"},
      {"=?x-nothing?Q?a,b?= <a@b>", "=?x-nothing?Q?a,b?="},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(shownText(senderName(input, nullptr)), expected) << input;
  }
  EXPECT_EQ(senderName("=?utf-8?B?0J/RgNC4", nullptr, true), "При…");
}

TEST(ShownText, KeepsOneCleanLine) {
  struct CleanCase {
    std::string input;
    std::string expected;
    bool serverWords = false;  // read as shownWords reads what a server said
  };
  const CleanCase cases[] = {
      {"  a \t b\r\n c  ", "a b c"},
      {"a\x01\x1B[31mb\x7F", "a[31mb"},
      {"\xC2\x85next \xC2\x9B"
       "c",
       "next c"},                          // C1: NEL a break, CSI gone
      {"abc\u202Etxt.exe", "abctxt.exe"},  // right-to-left override
      {"\u200E\u200F\u202A\u202B\u202C\u202D\u2066\u2067\u2068\u2069\u061Cx", "x"},
      {"line\u2028break\u2029end", "line break end"},
      {"a \u202E b", "a b"},
      {"bad \xFF\xC0\xAF \xED\xA0\x80 end", "bad \uFFFD\uFFFD\uFFFD \uFFFD\uFFFD\uFFFD end"},
      {"cut \xE6\x97", "cut \uFFFD\uFFFD"},
      {"日本語 \u00A0 é\u0301 🙂", "日本語 \u00A0 é\u0301 🙂"},
      {"\t\r\n", ""},
      // A server's alert: no fake line, no cut at a NUL, no escape, no reordering, in any script.
      {"Compte\rbloqu\xC3\xA9", "Compte bloqué", true},
      {std::string("avant\0apr\xE8s", 11), "avantaprès", true},
      {"\x1B]0;titre\x07 \xE2\x80\xAEtxt.exe \xE2\x81\xA6x", "]0;titre txt.exe x", true},
      {"\xC2\x9B"
       "31m \xD0\x9F\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C",
       "31m Пароль", true},
      {"caf\xE9 \x80 \x9B", "café € ›", true},
      {std::string(200, 'x'), std::string(159, 'x') + "\u2026", true},
  };
  for (const auto& [input, expected, serverWords] : cases) {
    EXPECT_EQ(serverWords ? shownWords(input, 160) : shownText(input), expected) << input;
  }
}

TEST(CutText, NeverLongerThanAskedNorSplittingACharacter) {
  struct CutCase {
    std::string_view text;
    std::size_t maxChars;
    std::string_view expected;
  };
  const CutCase cases[] = {
      {"Hello", 5, "Hello"},
      {"Hello", 10, "Hello"},
      {"Hello", 4, "Hel…"},
      {"Hello", 1, "…"},
      {"Hello", 0, ""},
      {"", 0, ""},
      {"ab cd", 4, "ab…"},
      {"日本語の件名", 3, "日本…"},
      {"🙂🙂🙂", 2, "🙂…"},
      {"a\xFF"
       "bc",
       3, "a\uFFFD…"},
      // Whole characters as a reader sees them: a letter with its marks, an emoji sequence, a flag.
      {"Cafe\u0301 noir", 5, "Caf…"},
      {"नमस्ते", 5, "नमस्…"},
      {"ok 👍🏽👍🏽", 5, "ok…"},
      {"a👨‍👩‍👧b", 6, "a…"},
      {"a👨‍👩‍👧b", 7, "a👨‍👩‍👧b"},
      {"🇫🇷🇩🇪x", 4, "🇫🇷…"},
      {"🇫🇷🇩", 2, "…"},
      {"☺️☺️☺️", 4, "☺️…"},
  };
  for (const auto& [text, maxChars, expected] : cases) {
    const std::string cut = cutText(text, maxChars);
    EXPECT_EQ(cut, expected) << text << " to " << maxChars;
    EXPECT_TRUE(isValidUtf8(cut));
  }
}

}  // namespace
}  // namespace vantrel::mailtext
