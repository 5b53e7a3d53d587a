// Qt runs its worker threads detached: waiting for one returns once its work
// is over, while the system thread may still be winding down. At exit
// LeakSanitizer stops every thread to scan it, and a thread caught halfway
// out has crashed or hung that check now and then. So a sanitized test
// process, as it exits, first waits until its other threads have ended; the
// bound is for a library that keeps a thread of its own to the end.
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kBound = std::chrono::seconds(2);

std::vector<pid_t> otherThreads()
{
    std::vector<pid_t> others;
    const pid_t self = static_cast<pid_t>(syscall(SYS_gettid));
    std::error_code error;
    for (std::filesystem::directory_iterator task("/proc/self/task", error), end; !error && task != end;
         task.increment(error)) {
        const pid_t id = static_cast<pid_t>(std::stol(task->path().filename().string()));
        if (id != self)
            others.push_back(id);
    }
    return others;
}

// A descriptor that becomes readable when the thread has ended (Linux 6.9
// and later); -1 where the kernel cannot give one.
int threadEndDescriptor(pid_t thread)
{
    constexpr unsigned kPidfdThread = 0x80; // PIDFD_THREAD
    return static_cast<int>(syscall(SYS_pidfd_open, thread, kPidfdThread));
}

void awaitOtherThreads()
{
    const auto deadline = Clock::now() + kBound;
    std::vector<pollfd> ends;
    bool unwatchable = false;
    for (pid_t thread : otherThreads()) {
        const int descriptor = threadEndDescriptor(thread);
        if (descriptor >= 0)
            ends.push_back({descriptor, POLLIN, 0});
        else if (errno != ESRCH) // gone already: nothing to wait for
            unwatchable = true;
    }
    while (!ends.empty() && Clock::now() < deadline) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (poll(ends.data(), ends.size(), static_cast<int>(left.count())) < 0 && errno != EINTR)
            break;
        std::erase_if(ends, [](const pollfd& end) {
            if (end.revents == 0)
                return false;
            close(end.fd);
            return true;
        });
    }
    for (const pollfd& end : ends)
        close(end.fd);
    // An older kernel has no way to wait for a thread that is not ours to
    // join: there, look again now and then.
    using namespace std::chrono_literals;
    while (unwatchable && !otherThreads().empty() && Clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
}

// Registered after the sanitizer's own exit check, so run before it.
[[maybe_unused]] const bool registered = std::atexit(awaitOtherThreads) == 0;

} // namespace
