#include "cli/CliProcessesMain.h"

#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "processes/ProcessJson.h"
#include "processes/SystemProcessSource.h"

CliOutcome RunProcessesCommand(const CliRequest& request) {
  CliOutcome outcome;
  Win32WindowSystem ws;
  auto source = MakeSystemProcessSource();
  TreeOptions options;
  options.allProcesses = request.all || request.command == CliCommand::Threads;
  options.gui = false;
  ProcessTree tree = BuildProcessTree(ws, *source, options);
  const bool json = request.format == CliFormat::Json;
  if (request.command == CliCommand::Processes) {
    outcome.output = json ? ProcessesJson(tree) : Utf8ToAnsi(ProcessesText(tree));
    return outcome;
  }
  ProcessNode* process = tree.FindProcess(request.processId);
  if (!process) {
    outcome.status = kCliNoMatch;
    outcome.error = "no process " + std::to_string(request.processId);
    return outcome;
  }
  for (ThreadNode& t : process->threads) t.hung = AskWhetherHung(WindowToAsk(t));
  outcome.output = json ? ThreadsJson(*process) : Utf8ToAnsi(ThreadsText(*process));
  return outcome;
}
