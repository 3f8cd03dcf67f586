// Start-up and close of two builds of the program, side by side, seen from outside the process
// on an X display of its own (see start_close.sh): from the start of the process to its window's
// first paint, and from the close box's request to the process's end, with its peak memory.
// Both builds read the same store, put back before every run; the runs alternate between the
// builds, the order swapped every round, so that both meet the same load.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

[[noreturn]] void Fail(const std::string &why)
{
    std::fprintf(stderr, "start_close: %s\n", why.c_str());
    std::exit(1);
}

// A returning user's store of the given number of items, much as the program writes it; the
// first run's close writes it exactly so.
std::string Store(int items)
{
    std::string text = "[Main]\nBGColor=White\nBodyColor=Black\nBodySize=2\nFont%20Style=sans-"
                       "serif\nGenerateOnClose=False\nHeaderColor=Black\nHeaderSize=5\n"
                       "HomeInNetscape=1\nLinkColor=Blue\nNumEntries=\" " +
                       std::to_string(items) + "\"\nRunBefore=Yes\nVisitedLinkColor=Green\n";
    for (int i = 1; i <= items; ++i) {
        const std::string n = std::to_string(i);
        text += "\n[%20" + n + "]\nDescription=\"Something to do on the web, number " + n +
                "\"\nName=Task " + std::to_string(100000 + i) +
                "\nPriority=" + std::to_string(i % 3 + 1) + "\nURL=http://www.example.org/page/" +
                n + '\n';
    }
    return text;
}

struct Sample
{
    double toMap = 0;
    double toPaint = 0;
    double close = 0;
    long peakKiB = 0;
};

class Display
{
public:
    Display()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            Fail("no X display; run start_close.sh");
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const xcb_query_extension_reply_t *damage =
            xcb_get_extension_data(connection, &xcb_damage_id);
        if (!damage || !damage->present)
            Fail("the display has no DAMAGE extension");
        damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1),
                                            nullptr));
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        protocols = Atom("WM_PROTOCOLS");
        deleteWindow = Atom("WM_DELETE_WINDOW");
        xcb_flush(connection);
    }
    ~Display() { xcb_disconnect(connection); }

    // Waits for the first top-level window that is created, mapped and painted on; answers it,
    // and when it was mapped.
    xcb_window_t FirstPaint(Clock::time_point &mapped)
    {
        std::map<xcb_window_t, xcb_damage_damage_t> watched;
        for (;;) {
            xcb_generic_event_t *event = Next(60000);
            if (!event)
                Fail("no window was painted within a minute");
            const uint8_t type = event->response_type & 0x7f;
            xcb_window_t painted = XCB_NONE;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                const xcb_damage_damage_t damage = xcb_generate_id(connection);
                xcb_damage_create(connection, damage, created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                watched[created->window] = damage;
                xcb_flush(connection);
            } else if (type == XCB_MAP_NOTIFY) {
                mapped = Clock::now();
            } else if (type == damageEvent) {
                painted = reinterpret_cast<xcb_damage_notify_event_t *>(event)->drawable;
            }
            free(event);
            if (painted != XCB_NONE) {
                for (const auto &[window, damage] : watched)
                    xcb_damage_destroy(connection, damage);
                xcb_flush(connection);
                return painted;
            }
        }
    }

    // What the close box of a window sends.
    void AskToClose(xcb_window_t window)
    {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols;
        message.data.data32[0] = deleteWindow;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&message));
        xcb_flush(connection);
    }

    void Drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection))
            free(event);
    }

private:
    xcb_atom_t Atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
        free(reply);
        return atom;
    }

    xcb_generic_event_t *Next(int timeoutMs)
    {
        if (xcb_generic_event_t *event = xcb_poll_for_event(connection))
            return event;
        pollfd fd = {xcb_get_file_descriptor(connection), POLLIN, 0};
        if (poll(&fd, 1, timeoutMs) <= 0)
            return nullptr;
        return xcb_poll_for_event(connection);
    }

    xcb_connection_t *connection = nullptr;
    xcb_window_t root = XCB_NONE;
    uint8_t damageEvent = 0;
    xcb_atom_t protocols = XCB_NONE;
    xcb_atom_t deleteWindow = XCB_NONE;
};

Sample RunOnce(Display &display, const std::string &program, const std::string &storePath,
               const std::string &store)
{
    std::ofstream(storePath, std::ios::binary | std::ios::trunc) << store;
    // What the last close wrote goes to disk now, not in the middle of this run.
    sync();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    display.Drain();
    Sample sample;
    const char *argv[] = {program.c_str(), nullptr};
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, const_cast<char **>(argv), environ) !=
        0)
        Fail("cannot start " + program);
    Clock::time_point mapped;
    const xcb_window_t window = display.FirstPaint(mapped);
    sample.toPaint = MsSince(start);
    sample.toMap = std::chrono::duration<double, std::milli>(mapped - start).count();

    // The user reaches for the close box once the window has settled.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const Clock::time_point close = Clock::now();
    display.AskToClose(window);
    int status = 0;
    rusage usage = {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(program + " did not end well");
    sample.close = MsSince(close);
    sample.peakKiB = usage.ru_maxrss;
    return sample;
}

template <typename T> T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: start_close ITEMS RUNS OLD_PROGRAM NEW_PROGRAM\n"
                             "XDG_CONFIG_HOME names a scratch folder for the store.\n");
        return 2;
    }
    const int items = std::atoi(argv[1]);
    const int runs = std::atoi(argv[2]);
    const std::string programs[2] = {argv[3], argv[4]};
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (!config || !*config)
        Fail("set XDG_CONFIG_HOME to a scratch folder");
    const std::string folder = std::string(config) + "/Tavrel";
    std::filesystem::create_directories(folder);
    const std::string storePath = folder + "/Tavrel.conf";
    std::string store = Store(items);

    Display display;
    std::vector<Sample> samples[2];
    for (int run = 0; run < runs + 1; ++run) {
        for (int k = 0; k < 2; ++k) {
            const int which = run % 2 ? 1 - k : k;
            const Sample sample = RunOnce(display, programs[which], storePath, store);
            if (run > 0) // the first round only warms the caches
                samples[which].push_back(sample);
        }
        if (run == 0) {
            std::ifstream written(storePath, std::ios::binary);
            store.assign(std::istreambuf_iterator<char>(written), {});
        }
    }

    std::printf("%d items, medians of %d runs each\n", items, runs);
    std::printf("%-8s %12s %12s %12s %12s\n", "build", "mapped (ms)", "painted (ms)", "close (ms)",
                "peak (MiB)");
    double medians[2][4];
    for (int which = 0; which < 2; ++which) {
        std::vector<double> columns[4];
        for (const Sample &s : samples[which]) {
            columns[0].push_back(s.toMap);
            columns[1].push_back(s.toPaint);
            columns[2].push_back(s.close);
            columns[3].push_back(s.peakKiB / 1024.0);
        }
        std::printf("%-8s", which ? "new" : "old");
        for (int c = 0; c < 4; ++c)
            std::printf(" %12.1f", medians[which][c] = Median(columns[c]));
        std::printf("\n");
    }
    std::printf("%-8s", "new/old");
    for (int c = 0; c < 4; ++c)
        std::printf(" %12.3f", medians[1][c] / medians[0][c]);
    // Each round's two runs met much the same load: the median of their ratios is steadier.
    std::vector<double> ratios[3];
    for (size_t i = 0; i < samples[0].size(); ++i) {
        const Sample &o = samples[0][i], &n = samples[1][i];
        ratios[0].push_back(n.toMap / o.toMap);
        ratios[1].push_back(n.toPaint / o.toPaint);
        ratios[2].push_back(n.close / o.close);
    }
    std::printf("\n%-8s", "paired");
    for (const std::vector<double> &r : ratios)
        std::printf(" %12.3f", Median(r));
    std::printf("\n");
    return 0;
}
