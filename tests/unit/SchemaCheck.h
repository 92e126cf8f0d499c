#pragma once
// A JSON text checked against one of the published schemas in docs/ (draft
// 2020-12) by Python's jsonschema, as a consumer of the files would check it;
// and, but for a snapshot file, laid out as the JSON library that first wrote
// them lays JSON out, so that their bytes stay what they were.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

inline void ExpectValid(const std::string& json, const char* schema = "tarvisk-report.schema.json") {
  char path[] = "/tmp/tarvisk-json-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  std::ofstream(path, std::ios::binary) << json;
  const std::string command =
      "python3 -c 'import json, sys, jsonschema; "
      "jsonschema.Draft202012Validator(json.load(open(sys.argv[1]))).validate(json.load(open(sys.argv[2])))' "
      "'" TARVISK_SOURCE_DIR "/docs/" + std::string(schema) + "' " + path;
  const int status = std::system(command.c_str());
  std::remove(path);
  EXPECT_EQ(status, 0) << schema << "\n" << json.substr(0, 3000);
  if (std::string(schema) != "tarvisk-snapshot.schema.json") {
    EXPECT_EQ(json, nlohmann::ordered_json::parse(json).dump(2) + "\n");
  }
}
