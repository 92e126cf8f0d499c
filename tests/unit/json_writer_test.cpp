// The program's JSON writer against the library the tests read JSON with:
// reports, lists and differences were first written by that library, and
// their bytes must not change.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/JsonWriter.h"

TEST(JsonWriter, WritesEveryStringAsTheLibraryDidAndTheSnapshotFileAsItDid) {
  // Every string of up to three bytes from escapes, ASCII and the edges of
  // UTF-8's ranges, whole characters and cut ones.
  const char alphabet[] = "\x00\x08\x0C\x0A\x1F\"\\a\x7F\x80\xBF\xC2\xC0\xE0\xE4\xED\xF0\xF4\xF5\xFF\xA0\x90\x9F\x8F\xB8";
  const size_t n = sizeof alphabet - 1;
  for (size_t count = 0, total = 1; count <= 3; ++count, total *= n) {
    for (size_t index = 0; index < total; ++index) {
      std::string text;
      for (size_t k = 0, x = index; k < count; ++k, x /= n) text += alphabet[x % n];
      std::string ours;
      AppendJsonString(ours, text, JsonStrings::Report);
      ASSERT_EQ(ours, nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    }
  }
  std::string snapshot;
  AppendJsonString(snapshot, "\b\f\xE4\xB8", JsonStrings::Snapshot);
  EXPECT_EQ(snapshot, "\"\\u0008\\u000c\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(JsonWriter, LaysOutDocumentsAsTheLibraryDoes) {
  const auto write = [](std::string& out, JsonWriter::Layout layout) {
    JsonWriter w(out, JsonStrings::Report, layout);
    w.BeginObject().Key("empty").BeginObject().EndObject().Key("none").BeginArray().EndArray();
    w.Key("numbers").BeginArray().Number(-2147483647 - 1).Number(UINT64_MAX).Number(0).EndArray();
    w.Key("nested").BeginArray().BeginObject().Key("a").Null().Key("b").Bool(true).EndObject();
    w.Strings({"x", "y"}).EndArray();
    w.Key("raw").Raw("[]").EndObject();
  };
  std::string indented, compact, inlined;
  write(indented, JsonWriter::Layout::Indented);
  write(compact, JsonWriter::Layout::Compact);
  write(inlined, JsonWriter::Layout::Inline);
  EXPECT_EQ(indented, nlohmann::ordered_json::parse(indented).dump(2));
  EXPECT_EQ(compact, nlohmann::ordered_json::parse(compact).dump());
  EXPECT_EQ(inlined,
            "{\"empty\": {}, \"none\": [], \"numbers\": [-2147483648, 18446744073709551615, 0], "
            "\"nested\": [{\"a\": null, \"b\": true}, [\"x\", \"y\"]], \"raw\": []}");
}
