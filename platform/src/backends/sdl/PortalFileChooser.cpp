// The desktop portal's FileChooser.OpenFile over D-Bus. The answer comes as a Response signal
// on a request object; until then the game's messages keep flowing.
#include "backends/sdl/DesktopFileChooser.h"

#include <gio/gio.h>
#include <unistd.h>

#include <string>

namespace platform {

namespace {

constexpr const char* PortalName = "org.freedesktop.portal.Desktop";
constexpr const char* PortalPath = "/org/freedesktop/portal/desktop";

struct PortalWait {
  bool callDone = false;
  bool callFailed = false;
  bool answered = false;
  guint response = 2;
  std::string path;
};

void onResponse(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
                gpointer data) {
  auto* wait = static_cast<PortalWait*>(data);
  guint response = 2;
  GVariant* results = nullptr;
  g_variant_get(parameters, "(u@a{sv})", &response, &results);
  const gchar** uris = nullptr;
  if (response == 0 && g_variant_lookup(results, "uris", "^a&s", &uris) && uris != nullptr && uris[0] != nullptr) {
    GFile* file = g_file_new_for_uri(uris[0]);
    gchar* local = g_file_get_path(file);
    if (local != nullptr) wait->path = local;
    g_free(local);
    g_object_unref(file);
  }
  g_free(uris);
  g_variant_unref(results);
  wait->response = response;
  wait->answered = true;
}

void onCallDone(GObject* source, GAsyncResult* result, gpointer data) {
  auto* wait = static_cast<PortalWait*>(data);
  GError* error = nullptr;
  GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
  if (reply == nullptr) {
    wait->callFailed = true;
    g_error_free(error);
  } else {
    g_variant_unref(reply);
  }
  wait->callDone = true;
}

// a(us): glob patterns (kind 0).
GVariant* patternList(const std::vector<std::string>& patterns) {
  GVariantBuilder builder;
  g_variant_builder_init(&builder, G_VARIANT_TYPE("a(us)"));
  for (const std::string& pattern : desktopPatterns(patterns))
    g_variant_builder_add(&builder, "(us)", 0u, pattern.c_str());
  return g_variant_builder_end(&builder);
}

GVariant* openFileArguments(const FileChooserRequest& request, const std::string& token) {
  GVariantBuilder options;
  g_variant_builder_init(&options, G_VARIANT_TYPE("a{sv}"));
  g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
  g_variant_builder_add(&options, "{sv}", "modal", g_variant_new_boolean(TRUE));
  if (!request.filters.empty()) {
    GVariantBuilder filters;
    g_variant_builder_init(&filters, G_VARIANT_TYPE("a(sa(us))"));
    for (const FileFilter& filter : request.filters)
      g_variant_builder_add(&filters, "(s@a(us))", filter.name.c_str(), patternList(filter.patterns));
    g_variant_builder_add(&options, "{sv}", "filters", g_variant_builder_end(&filters));
    const FileFilter& current = request.filters[request.currentFilter];
    g_variant_builder_add(&options, "{sv}", "current_filter",
                          g_variant_new("(s@a(us))", current.name.c_str(), patternList(current.patterns)));
  }
  return g_variant_new("(ssa{sv})", "", request.title.c_str(), &options);
}

// Where the portal puts the request object: known before the call, so the answer can't be
// missed.
std::string requestPath(GDBusConnection* bus, const std::string& token) {
  std::string sender = g_dbus_connection_get_unique_name(bus) + 1;  // without the ':'
  for (char& c : sender)
    if (c == '.') c = '_';
  return std::string(PortalPath) + "/request/" + sender + "/" + token;
}

// Whether a session bus is there to ask, without letting GLib start one of its own.
bool sessionBusKnown() {
  if (g_getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) return true;
  const char* runtime = g_getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr) return false;
  std::string socket = std::string(runtime) + "/bus";
  return access(socket.c_str(), F_OK) == 0;
}

}  // namespace

ChooserResult choosePortal(const FileChooserRequest& request, std::string* path) {
  if (!sessionBusKnown()) return ChooserResult::Unavailable;
  // Our own context, so that the bus's answers arrive only where this loop looks for them.
  GMainContext* context = g_main_context_new();
  g_main_context_push_thread_default(context);
  ChooserResult result = ChooserResult::Unavailable;

  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (bus != nullptr) {
    static unsigned serial = 0;
    std::string token = "vortelle" + std::to_string(getpid()) + "_" + std::to_string(++serial);
    PortalWait wait;
    guint subscription = g_dbus_connection_signal_subscribe(bus, PortalName, "org.freedesktop.portal.Request",
                                                            "Response", requestPath(bus, token).c_str(), nullptr,
                                                            G_DBUS_SIGNAL_FLAGS_NONE, onResponse, &wait, nullptr);
    GCancellable* cancel = g_cancellable_new();
    g_dbus_connection_call(bus, PortalName, PortalPath, "org.freedesktop.portal.FileChooser", "OpenFile",
                           openFileArguments(request, token), G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE, -1, cancel,
                           onCallDone, &wait);
    bool quitting = false;
    while (!wait.answered && !(wait.callDone && wait.callFailed) && !quitting) {
      while (g_main_context_iteration(context, FALSE)) {
      }
      if (wait.answered || (wait.callDone && wait.callFailed)) break;
      quitting = !pumpWhileChoosing(20);
    }
    if (wait.answered) {
      // 1: the user cancelled; 2: the portal couldn't show a chooser.
      if (wait.response == 0 && !wait.path.empty()) {
        *path = wait.path;
        result = ChooserResult::Chosen;
      } else {
        result = wait.response == 1 || wait.response == 0 ? ChooserResult::Cancelled : ChooserResult::Unavailable;
      }
    } else if (quitting) {
      // The game is ending: take the portal's dialog away with it.
      g_dbus_connection_call(bus, PortalName, requestPath(bus, token).c_str(), "org.freedesktop.portal.Request",
                             "Close", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
      g_dbus_connection_flush_sync(bus, nullptr, nullptr);
      result = ChooserResult::Cancelled;
    }
    g_cancellable_cancel(cancel);
    // Let the cancelled call finish so that nothing refers to `wait` afterwards.
    while (!wait.callDone) g_main_context_iteration(context, TRUE);
    g_object_unref(cancel);
    g_dbus_connection_signal_unsubscribe(bus, subscription);
    while (g_main_context_iteration(context, FALSE)) {
    }
    g_object_unref(bus);
  }

  g_main_context_pop_thread_default(context);
  g_main_context_unref(context);
  return result;
}

}  // namespace platform
