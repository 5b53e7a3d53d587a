// Qt runs its worker threads detached: waiting for one returns once its work
// is over, while the system thread may still be winding down. At exit
// LeakSanitizer stops every thread to scan it, and a thread caught halfway
// out has crashed or hung that check now and then. So a test process, as
// it exits, first waits until it is down to its main thread; the bound is
// for a library that keeps a thread of its own to the end (qemu, running
// the arm64 tests, has one).
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

int threadCount()
{
    std::error_code error;
    int count = 0;
    for (std::filesystem::directory_iterator task("/proc/self/task", error), end; !error && task != end;
         task.increment(error))
        ++count;
    return count;
}

void awaitOtherThreads()
{
    using namespace std::chrono_literals;
    for (int waited = 0; waited < 200 && threadCount() > 1; ++waited)
        std::this_thread::sleep_for(10ms);
}

// Registered after the sanitizer's own exit check, so run before it.
[[maybe_unused]] const bool registered = std::atexit(awaitOtherThreads) == 0;

} // namespace
