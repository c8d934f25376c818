// Reads a program's accessibility tree over AT-SPI, as a screen reader does, for the GUI
// tests; a process of its own, since the program must keep answering while it is read.
//
//   atspi-probe PID
//
// Finds the application of process PID, listens for name changes and prints "READY" (or
// "FAIL <why>" and ends). Then every line on its input is a command, answered with lines
// of tab-separated fields and a last line "END":
//   tree     every object of the application: depth, role, name, description, and
//            "showing" or "hidden"
//   changes  the name changes since the last "changes": role, new name, description
// It ends at the end of its input.

#include <atspi/atspi.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "patience.h"

namespace {

struct Change {
    AtspiAccessible* source;
    std::string name;
};

AtspiAccessible* app = nullptr;
std::vector<Change> changes;

// One field of an output line.
std::string Field(const char* text) {
    std::string field = text ? text : "";
    for (char& c : field) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return field;
}

std::string Take(gchar* text) {
    std::string field = Field(text);
    g_free(text);
    return field;
}

void Forget(GError*& error) {
    if (error) g_clear_error(&error);
}

void OnNameChange(AtspiEvent* event, void* /*unused*/) {
    std::string name;
    if (G_VALUE_HOLDS_STRING(&event->any_data)) name = Field(g_value_get_string(&event->any_data));
    if (event->source) changes.push_back({static_cast<AtspiAccessible*>(g_object_ref(event->source)), name});
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

void Walk(AtspiAccessible* object, int depth) {
    GError* error = nullptr;
    const std::string role = Take(atspi_accessible_get_role_name(object, &error));
    Forget(error);
    const std::string name = Take(atspi_accessible_get_name(object, &error));
    Forget(error);
    const std::string description = Take(atspi_accessible_get_description(object, &error));
    Forget(error);
    AtspiStateSet* states = atspi_accessible_get_state_set(object);
    const bool showing = states && atspi_state_set_contains(states, ATSPI_STATE_SHOWING);
    if (states) g_object_unref(states);
    std::printf("%d\t%s\t%s\t%s\t%s\n", depth, role.c_str(), name.c_str(), description.c_str(),
                showing ? "showing" : "hidden");
    const int count = atspi_accessible_get_child_count(object, &error);
    Forget(error);
    for (int i = 0; i < count; ++i) {
        AtspiAccessible* child = atspi_accessible_get_child_at_index(object, i, &error);
        Forget(error);
        if (!child) continue;
        Walk(child, depth + 1);
        g_object_unref(child);
    }
}

void PrintChanges() {
    for (const Change& change : changes) {
        GError* error = nullptr;
        const std::string role = Take(atspi_accessible_get_role_name(change.source, &error));
        Forget(error);
        const std::string description = Take(atspi_accessible_get_description(change.source, &error));
        Forget(error);
        std::printf("%s\t%s\t%s\n", role.c_str(), change.name.c_str(), description.c_str());
        g_object_unref(change.source);
    }
    changes.clear();
}

gboolean OnInput(GIOChannel* input, GIOCondition /*condition*/, gpointer /*unused*/) {
    gchar* line = nullptr;
    const GIOStatus status = g_io_channel_read_line(input, &line, nullptr, nullptr, nullptr);
    if (status == G_IO_STATUS_EOF || status == G_IO_STATUS_ERROR) {
        atspi_event_quit();
        return FALSE;
    }
    const std::string command = Field(line);
    g_free(line);
    if (command.rfind("tree", 0) == 0) {
        // Read afresh, not from what an earlier reading kept.
        atspi_accessible_clear_cache(app);
        Walk(app, 0);
    } else if (command.rfind("changes", 0) == 0) {
        PrintChanges();
    }
    std::printf("END\n");
    std::fflush(stdout);
    return TRUE;
}

AtspiAccessible* FindApplication(unsigned pid) {
    const auto end = std::chrono::steady_clock::now() + 2 * gv::testing::kPatience;
    while (std::chrono::steady_clock::now() < end) {
        AtspiAccessible* desktop = atspi_get_desktop(0);
        GError* error = nullptr;
        const int count = atspi_accessible_get_child_count(desktop, &error);
        Forget(error);
        for (int i = 0; i < count; ++i) {
            AtspiAccessible* child = atspi_accessible_get_child_at_index(desktop, i, &error);
            Forget(error);
            if (!child) continue;
            if (atspi_accessible_get_process_id(child, &error) == pid) {
                g_object_unref(desktop);
                return child;
            }
            Forget(error);
            g_object_unref(child);
        }
        g_object_unref(desktop);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: atspi-probe PID\n");
        return 2;
    }
    if (atspi_init() < 0) {
        std::printf("FAIL no AT-SPI bus\n");
        return 1;
    }
    AtspiEventListener* listener = atspi_event_listener_new(&OnNameChange, nullptr, nullptr);
    GError* error = nullptr;
    if (!atspi_event_listener_register(listener, "object:property-change:accessible-name", &error)) {
        std::printf("FAIL cannot listen for name changes: %s\n", error ? error->message : "?");
        return 1;
    }
    app = FindApplication(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
    if (!app) {
        std::printf("FAIL no application of process %s on the AT-SPI bus\n", argv[1]);
        return 1;
    }
    std::printf("READY\n");
    std::fflush(stdout);
    GIOChannel* input = g_io_channel_unix_new(STDIN_FILENO);
    g_io_add_watch(input, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP), &OnInput, nullptr);
    atspi_event_main();
    g_io_channel_unref(input);
    g_object_unref(app);
    g_object_unref(listener);
    return 0;
}
