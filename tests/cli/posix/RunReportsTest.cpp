#include <gtest/gtest.h>

#include <string>

#include "cli/plan/RunReports.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace kestrel::cli {
namespace {

StepRecord Step(const char* name, StepKind kind, StepResult result) {
  StepRecord step;
  step.name = name;
  step.kind = kind;
  step.result = result;
  return step;
}

// Two printers: one passed with a timed job and an aging run, one failed at
// its status with a reason full of what XML and JSON must escape.
RunReport SampleRun() {
  RunReport run;
  run.plan = "Line <3> & \"more\"";
  run.planFile = "plan.toml";
  run.started = "2024-03-05 14:07:09";
  run.host = "station";
  PrinterReport passed;
  passed.port = "tcp:127.0.0.1:9101";
  passed.started = run.started;
  passed.seconds = 12.5;
  passed.reached = true;
  passed.identity = {{"model", "KP-206"}, {"firmware", "1.2"}};
  StepRecord job = Step("job 60x40", StepKind::kJob, StepResult::kPassed);
  job.seconds = 1.5;
  job.labels = job.printed = 3;
  job.printSeconds = 1.5;
  StepRecord aging = Step("aging 60x40", StepKind::kAging, StepResult::kPassed);
  aging.labels = aging.printed = 10;
  aging.printSeconds = 5;
  aging.faults = 1;
  aging.secondsLost = 2.25;
  passed.steps = {job, aging};
  PrinterReport failed;
  failed.port = "/dev/pts/7";
  failed.started = run.started;
  failed.seconds = 0.25;
  failed.reached = true;
  failed.verdict = Verdict::kFail;
  failed.failedStep = 0;
  failed.reason = "step 1 status: cover open";
  StepRecord status = Step("status", StepKind::kStatus, StepResult::kFailed);
  status.reason = std::string("odd \x01 reply \xFF <&>\" 纸");
  StepRecord skipped = Step("job 60x40", StepKind::kJob, StepResult::kSkipped);
  skipped.reason = "an earlier step failed";
  failed.steps = {status, skipped};
  run.printers = {passed, failed};
  return run;
}

TEST(RunReportsTest, JsonLinesReadBackOneObjectPerPrinter) {
  test::TempDir dir;
  test::WriteText(dir.path() + "/runs.jsonl", JsonLinesText(SampleRun()));
  const test::CliRun parsed =
      test::RunProgram("python3", {"-c",
                                   "import json, sys\n"
                                   "sys.stdout.reconfigure(encoding='utf-8')\n"
                                   "for line in open(sys.argv[1], encoding='utf-8'):\n"
                                   "  d = json.loads(line)\n"
                                   "  print(d['plan'], d['port'], d['verdict'], d['identity'], d['failedStep'],\n"
                                   "        [(x['result'], x.get('labelsPerMinute'), x.get('reason')) for x in "
                                   "d['steps']])\n",
                                   dir.path() + "/runs.jsonl"});
  EXPECT_EQ(parsed.status, 0) << parsed.error;
  EXPECT_EQ(parsed.output,
            "Line <3> & \"more\" tcp:127.0.0.1:9101 pass {'model': 'KP-206', 'firmware': '1.2'} None "
            "[('passed', 120.0, None), ('passed', 120.0, None)]\n"
            "Line <3> & \"more\" /dev/pts/7 fail {} {'index': 1, 'name': 'status', 'reason': 'odd \\x01 reply \ufffd "
            "<&>\" 纸'} [('failed', None, 'odd \\x01 reply \ufffd <&>\" 纸'), ('skipped', None, 'an earlier step "
            "failed')]\n");
}

TEST(RunReportsTest, JunitXmlReadsBackWithOneTestCasePerStep) {
  test::TempDir dir;
  test::WriteText(dir.path() + "/run.xml", JunitXml(SampleRun()));
  const test::CliRun parsed = test::RunProgram(
      "python3", {"-c",
                  "import sys, xml.etree.ElementTree as E\n"
                  "sys.stdout.reconfigure(encoding='utf-8')\n"
                  "root = E.parse(sys.argv[1]).getroot()\n"
                  "print(root.tag, root.get('name'), root.get('tests'), root.get('failures'), root.get('skipped'))\n"
                  "for s in root.iter('testsuite'):\n"
                  "  props = {p.get('name'): p.get('value') for p in s.iter('property')}\n"
                  "  print(s.get('name'), s.get('tests'), s.get('failures'), s.get('timestamp'), props)\n"
                  "  for c in s.iter('testcase'):\n"
                  "    f = c.find('failure'); k = c.find('skipped')\n"
                  "    print(' ', c.get('name'), c.get('time'), f.get('message') if f is not None else '-',\n"
                  "          k.get('message') if k is not None else '-', repr(c.findtext('system-out')))\n",
                  dir.path() + "/run.xml"});
  EXPECT_EQ(parsed.status, 0) << parsed.error;
  EXPECT_EQ(parsed.output,
            "testsuites Line <3> & \"more\" 4 1 1\n"
            "tcp:127.0.0.1:9101 2 0 2024-03-05T14:07:09 {'verdict': 'pass', 'model': 'KP-206', 'firmware': '1.2'}\n"
            "  1 job 60x40 1.500 - - 'labels: 3, printed: 3\\nlabels per minute: 120.000\\n'\n"
            "  2 aging 60x40 0.000 - - 'labels: 10, printed: 10\\nlabels per minute: 120.000\\nfaults: 1, seconds "
            "lost: 2.250\\n'\n"
            "/dev/pts/7 2 1 2024-03-05T14:07:09 {'verdict': 'fail', 'reason': 'step 1 status: cover open'}\n"
            "  1 status 0.000 odd \ufffd reply \ufffd <&>\" 纸 - None\n"
            "  2 job 60x40 0.000 - an earlier step failed 'labels: 0, printed: 0\\n'\n");
}

TEST(RunReportsTest, SummaryTableLinesUpItsColumns) {
  EXPECT_EQ(SummaryTable(SampleRun()),
            "Line <3> & \"more\": 1 of 2 printer(s) passed\n"
            "PORT                VERDICT  TIME    STEPS  MODEL   REASON\n"
            "tcp:127.0.0.1:9101  pass     12.5 s  2/2    KP-206\n"
            "/dev/pts/7          fail     0.2 s   0/2            step 1 status: cover open\n");
}

}  // namespace
}  // namespace kestrel::cli
