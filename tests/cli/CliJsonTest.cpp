#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/JsonText.h"
#include "support/CliRunner.h"

namespace kestrel::cli {
namespace {

using test::CliRun;
using test::PythonJson;
using test::RunCli;

TEST(JsonTextTest, EscapesWhatJsonForbidsAndReplacesBrokenUtf8) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"", R"("")"},
      {"USB\\VID_0FE6&PID_811E", R"("USB\\VID_0FE6&PID_811E")"},
      {"say \"hi\"", R"("say \"hi\"")"},
      {"a\nb\r\tc\x01\x1f\x7f", R"("a\nb\r\tc\u0001\u001f\u007f")"},
      {"打印机 ✓ 😀", "\"打印机 ✓ 😀\""},
      {"\xff"
       "A",
       R"("\ufffdA")"},  // not a lead byte
      {"\xe6\x89"
       "A",
       R"("\ufffd\ufffdA")"},                                 // cut short
      {"\xc0\xaf", R"("\ufffd\ufffd")"},                      // overlong '/'
      {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"},            // a surrogate
      {"\xf4\x90\x80\x80", R"("\ufffd\ufffd\ufffd\ufffd")"},  // past U+10FFFF
  };
  for (const auto& [text, json] : rows) {
    EXPECT_EQ(JsonString(text), json);
    const CliRun parsed = PythonJson(json, "len(d)");
    EXPECT_EQ(parsed.status, 0) << json << ": " << parsed.error;
  }
}

TEST(CliJsonTest, JobsListEveryJobWithItsKindAndBothCaptions) {
  const CliRun run = RunCli({"jobs", "--json"});
  ASSERT_EQ(run.status, 0);
  const CliRun names = PythonJson(run.output, "'\\n'.join(job['name'] for job in d)");
  EXPECT_EQ(names.output, RunCli({"jobs"}).output);
  const CliRun rows =
      PythonJson(run.output,
                 "'\\n'.join(' '.join((j['name'], j['kind'], j['caption']['zh'], j['caption']['en'])) for j in d "
                 "if j['name'] in ('60x20', '80x60', 'density', 'selftest', 'qrcode', 'custom', 'standardmode'))");
  EXPECT_EQ(rows.output,
            "60x20 label 60*20 60*20\n"
            "80x60 label 80(72)*60 80(72)*60\n"
            "qrcode single-item 二维码测试 Print qrcode\n"
            "custom custom 打印自定义标签 打印自定义标签\n"
            "density setting 设置浓度 Set density\n"
            "selftest setting 打印自检页 Selftest\n"
            "standardmode console 标准模式 Standard mode\n");
  const CliRun uncaptioned =
      PythonJson(run.output, "[j['name'] for j in d if not j['caption']['zh'] or not j['caption']['en']]");
  EXPECT_EQ(uncaptioned.output, "[]\n");
}

TEST(CliJsonTest, ComposeGivesTheJobItsByteCountAndTheHex) {
  const CliRun density = RunCli({"compose", "density", "--density", "8", "--json"});
  ASSERT_EQ(density.status, 0);
  EXPECT_EQ(PythonJson(density.output, "d['job'], d['bytes'], d['hex']").output, "density 4 1B 4E 04 08\n");
  // A whole label with Chinese texts: the count matches the hex and the plain output.
  const CliRun label = RunCli({"compose", "60x20", "--lang", "zh", "--at", "2024-03-05 14:07:09", "--json"});
  const CliRun plain = RunCli({"compose", "60x20", "--lang", "zh", "--at", "2024-03-05 14:07:09"});
  EXPECT_EQ(PythonJson(label.output, "d['bytes'] == len(d['hex'].split()) > 100").output, "True\n");
  EXPECT_EQ(PythonJson(label.output, "d['hex']").output, plain.output);
}

TEST(CliJsonTest, PortsAreTheSameAsThePlainList) {
  const CliRun run = RunCli({"list-ports", "--json"});
  ASSERT_EQ(run.status, 0);
  const CliRun json =
      PythonJson(run.output,
                 "'USB printers:\\n' + ''.join('  %s  %s\\n' % (p['node'], p['hardwareId'] or "
                 "'(identifier unreadable)') for p in d['usb']) + ('' if d['usb'] else '  (none)\\n') + "
                 "'Serial ports:\\n' + ''.join('  %s\\n' % s for s in d['serial'])");
  EXPECT_EQ(json.output, RunCli({"list-ports"}).output + "\n");
}

}  // namespace
}  // namespace kestrel::cli
