#include "cli/plan/PlanRun.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "cli/CliOptions.h"
#include "cli/plan/OperatorConsole.h"
#include "cli/plan/RunDisplay.h"

namespace kestrel::cli {

RunReport RunPlan(const Plan& plan, const std::vector<std::string>& ports, const RunOptions& options, bool live) {
  RunReport run;
  run.plan = plan.name;
  run.planFile = plan.file;
  run.started = LocalTimeText();
  run.host = HostName();
  run.printers.resize(ports.size());

  RunDisplay display(ports, live);
  // The sessions are made here, before any worker starts: making a link
  // reads the shared port discovery.
  std::vector<std::unique_ptr<PrinterSession>> sessions;
  for (const std::string& port : ports) sessions.push_back(std::make_unique<PrinterSession>(port, plan.baud));

  std::atomic<std::size_t> running = ports.size();
  std::vector<std::thread> workers;
  for (std::size_t i = 0; i < ports.size(); ++i)
    workers.emplace_back([&, i] {
      run.printers[i] = PrinterWorker(plan, i, *sessions[i], display, options).Run();
      --running;
    });
  while (running > 0) {
    display.Refresh();
    std::this_thread::sleep_for(std::chrono::milliseconds(live ? 200 : 50));
  }
  for (std::thread& worker : workers) worker.join();
  display.Refresh();
  return run;
}

}  // namespace kestrel::cli
