#pragma once

// Entry points of the talkwright-cli sub-commands, one file each.

#include "cli/cli_command.h"

namespace tw::cli {

// check FILE...: compiles every node of each dialogue file; messages as PATH: MESSAGE.
int RunCheckCommand(const Invocation& invocation);

// convert IN OUT: a dialogue file or its JSON form to either form.
int RunConvertCommand(const Invocation& invocation);

// explore FILE [--start NODE] [--state FILE] [--seed N]... [--reply TEXT]... [--max-states N]
// [--format text|json]: every road of a dialogue played in the tester's engine.
int RunExploreCommand(const Invocation& invocation);

// export IN [OUT]: the conversation script of a dialogue file, OUT by default IN with ".txt".
int RunExportCommand(const Invocation& invocation);

// batch-export SRC_DIR DEST_DIR: every .vrx file below SRC_DIR exported into DEST_DIR.
int RunBatchExportCommand(const Invocation& invocation);

// graph FILE [--format json|dot|svg] [--node NAME] [--hops K] [OUT]: the conversation map.
int RunGraphCommand(const Invocation& invocation);

// generate --nodes N [--seed S] OUT.vrx: a generated dialogue of N nodes.
int RunGenerateCommand(const Invocation& invocation);

// talkwright-cli script [--expressions] [--state FILE] [FILE|-]
int RunScriptCommand(const Invocation& invocation);

// lint [--format text|json] [--disable RULE]... FILE...: the dialogue check of each file.
int RunLintCommand(const Invocation& invocation);
// test DIR|FILE... [--update]: recorded playthroughs played and compared with their
// expected transcripts.
int RunTestCommand(const Invocation& invocation);

// play FILE [--state STATE] [--seed N] [--input SCRIPT] [--transcript OUT]: the tester in a
// terminal.
int RunPlayCommand(const Invocation& invocation);

}  // namespace tw::cli
