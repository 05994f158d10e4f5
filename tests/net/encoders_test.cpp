#include <gtest/gtest.h>

#include <sstream>

#include "net/stream_encoder.h"
#include "net/url_encoder.h"

namespace vantrel::net {
namespace {

std::string encode(const std::string& text) {
  TUrlEncoder encoder;
  encoder.InputString = text;
  return encoder.Encode();
}

TEST(UrlEncoder, KeepsLettersAndDigitsTurnsSpacesToPlusAndEscapesEverythingElse) {
  EXPECT_EQ(encode("a b"), "a+b");
  EXPECT_EQ(encode("x=1&y=2"), "x%3D1%26y%3D2");
  EXPECT_EQ(encode("Service Pack 2"), "Service+Pack+2");
  EXPECT_EQ(encode(""), "");
  EXPECT_EQ(encode("-_.~/"), "%2D%5F%2E%7E%2F");
  EXPECT_EQ(encode("caf\xe9"), "caf%E9");
  EXPECT_EQ(encode(std::string("\0\n\xff", 3)), "%00%0A%FF");
  EXPECT_EQ(encode("AZaz09"), "AZaz09");
}

struct Encoded {
  std::string text;
  int begins = 0;
  int ends = 0;
};

Encoded encodeStream(const std::string& bytes, UUMethods method) {
  std::stringstream input(bytes);
  std::stringstream output;
  Encoded result;
  TStreamEncoder encoder;
  encoder.Method = method;
  encoder.InputStream = &input;
  encoder.OutputStream = &output;
  encoder.OnBeginEncode = [&](TStreamEncoder&) { ++result.begins; };
  encoder.OnEndEncode = [&](TStreamEncoder&) { ++result.ends; };
  input.seekg(0, std::ios::end);  // Encode rewinds the input itself
  encoder.Encode();
  result.text = output.str();
  return result;
}

TEST(StreamEncoder, Base64PadsTheLastGroupAndEndsEveryLineWithCrLf) {
  EXPECT_EQ(encodeStream("abc", UUMethods::uuMime).text, "YWJj\r\n");
  EXPECT_EQ(encodeStream("ab", UUMethods::uuMime).text, "YWI=\r\n");
  EXPECT_EQ(encodeStream("a", UUMethods::uuMime).text, "YQ==\r\n");
  EXPECT_EQ(encodeStream("user:pass", UUMethods::uuMime).text, "dXNlcjpwYXNz\r\n");
  EXPECT_EQ(encodeStream(std::string("\xff\xfe\x00", 3), UUMethods::uuMime).text, "//4A\r\n");
}

TEST(StreamEncoder, Base64CutsLinesEvery45InputBytes) {
  const Encoded encoded = encodeStream(std::string(46, 'z'), UUMethods::uuMime);
  const auto lineEnd = encoded.text.find("\r\n");
  ASSERT_EQ(lineEnd, 60u);
  EXPECT_EQ(encoded.text.substr(62), "eg==\r\n");
  EXPECT_EQ(encodeStream(std::string(90, 'z'), UUMethods::uuMime).text.size(), 2u * 62);
}

TEST(StreamEncoder, UuencodeLeadsWithTheCountAndEndsWithTheBackquoteLine) {
  EXPECT_EQ(encodeStream("Cat", UUMethods::uuCode).text, "#0V%T\r\n`\r\n");
  // Nothing pads a short group; value 0 is the backquote.
  EXPECT_EQ(encodeStream("a", UUMethods::uuCode).text, "!80\r\n`\r\n");
  EXPECT_EQ(encodeStream(std::string(3, '\0'), UUMethods::uuCode).text, "#````\r\n`\r\n");
  const std::string full = encodeStream(std::string(45, 'q'), UUMethods::uuCode).text;
  EXPECT_EQ(full.front(), 'M');  // 32 + 45
  EXPECT_EQ(full.size(), 1u + 60 + 2 + 3);
}

TEST(StreamEncoder, AnEmptyStreamGivesNothingOrTheBackquoteLineAndStillRaisesBothEvents) {
  const Encoded mime = encodeStream("", UUMethods::uuMime);
  EXPECT_EQ(mime.text, "");
  EXPECT_EQ(mime.begins, 1);
  EXPECT_EQ(mime.ends, 1);
  EXPECT_EQ(encodeStream("", UUMethods::uuCode).text, "`\r\n");
}

}  // namespace
}  // namespace vantrel::net
