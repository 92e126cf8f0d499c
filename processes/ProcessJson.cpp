#include "processes/ProcessJson.h"

#include <cstdio>

#include "platform/JsonWriter.h"

namespace {

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

void AllHandles(const std::vector<OwnedWindow>& windows, std::vector<Hwnd>& out) {
  for (const OwnedWindow& w : windows) {
    out.push_back(w.handle);
    AllHandles(w.owned, out);
  }
}

std::vector<Hwnd> HandlesOf(const ThreadNode& t) {
  std::vector<Hwnd> handles;
  AllHandles(t.windows, handles);
  return handles;
}

std::string ProcessHead(const ProcessNode& p) {
  std::string line = std::to_string(p.record.id) + " " + (p.record.exeFile.empty() ? "?" : p.record.exeFile);
  if (p.stats.bits) line += " " + std::to_string(p.stats.bits) + "-bit";
  if (p.hostProcessId) {
    line += " (in the frame of " + (p.hostExecutable.empty() ? std::string("?") : p.hostExecutable) + " " +
            std::to_string(p.hostProcessId) + ")";
  }
  return line;
}

void ProcessMembers(JsonWriter& w, const ProcessNode& p) {
  w.Key("processId").Number(p.record.id).Key("executable").String(p.record.exeFile);
  w.Key("path");
  if (p.stats.path.empty()) {
    w.Null();
  } else {
    w.String(p.stats.path);
  }
  w.Key("bits");
  if (p.stats.bits) {
    w.Number(p.stats.bits);
  } else {
    w.Null();
  }
  if (p.hostProcessId) {
    w.Key("hostProcessId").Number(p.hostProcessId).Key("hostExecutable").String(p.hostExecutable);
  }
}

const char* HungName(Hung h) { return h == Hung::Yes ? "yes" : h == Hung::No ? "no" : "unknown"; }

}  // namespace

std::string ProcessesText(const ProcessTree& tree) {
  std::string out;
  for (const ProcessNode& p : tree.processes) {
    out += ProcessHead(p) + ": " + std::to_string(p.threads.size()) + " threads, " + std::to_string(p.windowCount) +
           " windows;";
    for (const ThreadNode& t : p.threads) out += " " + std::to_string(t.id) + " (" + std::to_string(t.windowCount) + ")";
    out += "\r\n";
  }
  return out;
}

std::string ProcessesJson(const ProcessTree& tree) {
  std::string out;
  JsonWriter w(out);
  w.BeginObject().Key("processes").BeginArray();
  for (const ProcessNode& p : tree.processes) {
    w.BeginObject();
    ProcessMembers(w, p);
    w.Key("windows").Number(p.windowCount).Key("threads").BeginArray();
    for (const ThreadNode& t : p.threads) {
      w.BeginObject().Key("threadId").Number(t.id).Key("windows").Number(t.windowCount);
      w.EndObject();
    }
    w.EndArray().EndObject();
  }
  w.EndArray().EndObject();
  out += "\n";
  return out;
}

std::string ThreadsText(const ProcessNode& p) {
  std::string out;
  for (const ThreadNode& t : p.threads) {
    out += std::to_string(t.id) + ": " + std::to_string(t.windowCount) + " windows";
    if (t.hung == Hung::Yes) out += ", hung";
    for (Hwnd h : HandlesOf(t)) out += " " + Hex(h);
    out += "\r\n";
  }
  return out;
}

std::string ThreadsJson(const ProcessNode& p) {
  std::string out;
  JsonWriter w(out);
  w.BeginObject();
  ProcessMembers(w, p);
  w.Key("threads").BeginArray();
  for (const ThreadNode& t : p.threads) {
    w.BeginObject().Key("threadId").Number(t.id).Key("hung").String(HungName(t.hung));
    w.Key("windows").BeginArray();
    for (Hwnd h : HandlesOf(t)) w.Number(h);
    w.EndArray().EndObject();
  }
  w.EndArray().EndObject();
  out += "\n";
  return out;
}
