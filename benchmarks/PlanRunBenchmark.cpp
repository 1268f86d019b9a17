#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kestrel {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

pid_t Spawn(const std::vector<std::string>& args, const std::string& out) {
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open("/dev/null", O_RDWR), 0);
    dup2(open("/dev/null", O_WRONLY), 2);
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    execv(argv[0], const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  return pid;
}

// A virtual printer (kestrel-cli emulate) on a pseudo-terminal or a TCP port.
class VirtualPrinter {
 public:
  VirtualPrinter(const std::string& folder, bool tcp) {
    const std::string out = folder + "/stdout";
    std::vector<std::string> args{KESTREL_CLI_PATH, "emulate", "--output-dir", folder + "/pages"};
    if (tcp)
      args.insert(args.end(), {"--listen", "127.0.0.1:0"});
    else
      args.push_back("--pty");
    pid_ = Spawn(args, out);
    std::string line;
    for (int i = 0; i < 500 && line.find('\n') == std::string::npos; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      line = ReadAll(out);
    }
    if (const std::size_t at = line.find(", port "); at != std::string::npos)
      port_ = "tcp:127.0.0.1:" + std::to_string(std::atoi(line.c_str() + at + 7));
    else if (const std::size_t path = line.find("/dev/"); path != std::string::npos)
      port_ = line.substr(path, line.find_first_of(" \n", path) - path);
  }
  ~VirtualPrinter() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  const std::string& port() const { return port_; }

 private:
  pid_t pid_ = -1;
  std::string port_;
};

struct RunMeasure {
  double seconds = 0;
  long residentKilobytes = 0;
  int status = -1;
};

RunMeasure RunPlan(const std::string& folder, const std::vector<std::unique_ptr<VirtualPrinter>>& printers,
                   std::size_t count) {
  std::vector<std::string> args{KESTREL_CLI_PATH,
                                "run",
                                KESTREL_EXAMPLE_PLANS "/quick-check.toml",
                                "--unattended",
                                "--jsonl",
                                folder + "/runs.jsonl",
                                "--junit",
                                folder + "/run.xml"};
  for (std::size_t i = 0; i < count; ++i) args.insert(args.end(), {"--port", printers[i]->port()});
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(args, folder + "/run.out");
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  RunMeasure measure;
  measure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  measure.residentKilobytes = usage.ru_maxrss;
  measure.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return measure;
}

// The quick-check plan on 32 virtual printers at once, half on
// pseudo-terminals and half on TCP, against the same plan on one of them. The
// printers draw every label, so on a 2-core machine the time grows with
// their drawing; the runner's own share shows in its memory and threads.
void BM_QuickCheckOn32Printers(benchmark::State& state) {
  const std::string folder =
      std::filesystem::temp_directory_path() / ("kestrel-plan-bench-" + std::to_string(getpid()));
  std::vector<std::unique_ptr<VirtualPrinter>> printers;
  for (int i = 0; i < 32; ++i) {
    const std::string own = folder + "/printer-" + std::to_string(i);
    std::filesystem::create_directories(own);
    printers.push_back(std::make_unique<VirtualPrinter>(own, i % 2 == 1));
  }
  RunMeasure single, all;
  for (auto _ : state) {
    single = RunPlan(folder, printers, 1);
    all = RunPlan(folder, printers, printers.size());
    state.SetIterationTime(all.seconds);
    if (single.status != 0 || all.status != 0) state.SkipWithError("a printer did not pass");
  }
  state.counters["one_printer_s"] = single.seconds;
  state.counters["32_printers_s"] = all.seconds;
  state.counters["ratio"] = all.seconds / single.seconds;
  state.counters["runner_rss_MB"] = static_cast<double>(all.residentKilobytes) / 1024.0;
  printers.clear();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_QuickCheckOn32Printers)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrel
