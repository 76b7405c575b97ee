#include "platform/linux/gtk_dialogs.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <memory>

#include "game/cp1251.h"

namespace {

// GTK's natural size for a file chooser is made for large screens; on 800 x 600 its buttons
// would lie off the screen.
constexpr int kScreenMargin = 40;
// A window manager's title bar holds the window's icon and its buttons beside the caption; they
// are about as wide as the title bar is high, which is about twice the caption's line height.
// Room for four of them and the caption's margins, in caption line heights:
constexpr int kTitleBarRoomInLines = 10;
// How often the game's window is redrawn where a dialog uncovered it while the dialog is open.
constexpr guint kRedrawIntervalMs = 20;
// How long a closed dialog may take to leave the screen (the window manager removes its frame).
constexpr gint64 kMostVanishingMicroseconds = 250000;

// The game opens its files by names relative to the working folder, so a dialog must not move it.
class WorkingFolderGuard {
 public:
  WorkingFolderGuard() {
    std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
    if (cwd) folder_ = cwd.get();
  }
  ~WorkingFolderGuard() {
    std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
    if (!folder_.empty() && (!cwd || folder_ != cwd.get()) && chdir(folder_.c_str()) != 0) {
      g_warning("cannot return to the working folder %s", folder_.c_str());
    }
  }
  WorkingFolderGuard(const WorkingFolderGuard&) = delete;
  WorkingFolderGuard& operator=(const WorkingFolderGuard&) = delete;

 private:
  std::string folder_;
};

// Without a window manager nobody gives a new window the keyboard, and a manager may refuse it to
// a window that no click of the user opened: ask for it once the window can take it.
gboolean FocusWhenMapped(GtkWidget* widget, GdkEvent*, gpointer) {
  GdkWindow* const window = gtk_widget_get_window(widget);
  guint32 time = GDK_CURRENT_TIME;
  if (GDK_IS_X11_WINDOW(window)) time = gdk_x11_get_server_time(window);
  gtk_window_present_with_time(GTK_WINDOW(widget), time);
  return FALSE;
}

// Makes the dialog stay above the game's full-screen window and take the keyboard.
void PrepareDialog(GtkWidget* dialog, const DialogOwner& owner) {
  GtkWindow* const window = GTK_WINDOW(dialog);
  gtk_window_set_modal(window, TRUE);
  gtk_window_set_keep_above(window, TRUE);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  g_signal_connect(dialog, "map-event", G_CALLBACK(FocusWhenMapped), nullptr);
  gtk_widget_realize(dialog);
  GdkWindow* const gdkWindow = gtk_widget_get_window(dialog);
  if (owner.x11Window == 0 || !GDK_IS_X11_WINDOW(gdkWindow)) return;
  GdkWindow* const game =
      gdk_x11_window_foreign_new_for_display(gdk_window_get_display(gdkWindow), owner.x11Window);
  if (game == nullptr) return;
  gdk_window_set_transient_for(gdkWindow, game);
  g_object_unref(game);
}

gboolean RedrawUncovered(gpointer owner) {
  static_cast<const DialogOwner*>(owner)->redrawUncovered();
  return G_SOURCE_CONTINUE;
}

// Runs the dialog until it is answered; the game's own loop waits meanwhile, so the dialog keeps
// the game's window drawn where it uncovers it (moved, or a box over it closed).
gint RunModal(GtkWidget* dialog, const DialogOwner& owner) {
  const guint redraw = owner.redrawUncovered
                           ? g_timeout_add(kRedrawIntervalMs, RedrawUncovered,
                                           const_cast<DialogOwner*>(&owner))
                           : 0;
  const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
  if (redraw != 0) g_source_remove(redraw);
  return response;
}

// GTK runs no main loop between dialogs: the X server must have taken the dialog off the screen
// before the game takes the keyboard back, and the game's window must be drawn again where the
// dialog was before anything else (an error box) appears, or a frozen image of the dialog stays.
void Dismiss(GtkWidget* dialog, const DialogOwner& owner) {
  gtk_widget_destroy(dialog);
  gdk_display_sync(gdk_display_get_default());
  while (gtk_events_pending()) gtk_main_iteration();
  if (!owner.redrawUncovered) return;
  const gint64 end = g_get_monotonic_time() + kMostVanishingMicroseconds;
  while (!owner.redrawUncovered() && g_get_monotonic_time() < end) {
    g_usleep(5000);
    while (gtk_events_pending()) gtk_main_iteration();
  }
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string DisplayName(const std::string& name) {
  if (g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) return name;
  return Cp1251ToUtf8(name);
}

void AddFilters(GtkFileChooser* chooser, const std::string& filterCp1251) {
  for (const FileFilterEntry& entry : ParseFileFilter(filterCp1251)) {
    GtkFileFilter* const filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, entry.description.c_str());
    for (const std::string& pattern : entry.patterns) {
      gtk_file_filter_add_pattern(filter, CaseInsensitiveGlob(pattern).c_str());
    }
    gtk_file_chooser_add_filter(chooser, filter);
  }
}

// The save dialog proposes the remembered name, which may carry the folder it was saved in.
void ProposeName(GtkFileChooser* chooser, const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash != std::string::npos && slash > 0 &&
      g_file_test(fileName.substr(0, slash).c_str(), G_FILE_TEST_IS_DIR)) {
    gtk_file_chooser_set_current_folder(chooser, fileName.substr(0, slash).c_str());
  }
  const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  if (!base.empty()) gtk_file_chooser_set_current_name(chooser, DisplayName(base).c_str());
}

GtkWidget* NewFileChooser(FileDialogKind kind) {
  const bool save = kind == FileDialogKind::kSave;
  return gtk_file_chooser_dialog_new(
      g_dgettext("gtk30", save ? "Save" : "Open"), nullptr,
      save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN,
      g_dgettext("gtk30", "_Cancel"), GTK_RESPONSE_CANCEL,
      g_dgettext("gtk30", save ? "_Save" : "_Open"), GTK_RESPONSE_ACCEPT, nullptr);
}

// A limit rather than a size: the chooser resizes itself to its natural size when it is shown.
void FitToScreen(GtkWidget* dialog, const DialogOwner& owner) {
  if (owner.screenWidth <= 0 || owner.screenHeight <= 0) return;
  GdkGeometry limit{};
  limit.max_width = std::max(owner.screenWidth - kScreenMargin, kScreenMargin);
  limit.max_height = std::max(owner.screenHeight - kScreenMargin, kScreenMargin);
  gtk_window_set_geometry_hints(GTK_WINDOW(dialog), nullptr, &limit, GDK_HINT_MAX_SIZE);
}

// The width of the screen a dialog without a game window appears on; 0 when unknown.
int MonitorWidth() {
  GdkDisplay* const display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
  if (monitor == nullptr) return 0;
  GdkRectangle area{};
  gdk_monitor_get_geometry(monitor, &area);
  return area.width;
}

// GTK sizes a message box by its text alone, and the window manager cuts a caption that does
// not fit into the title bar: the box is made wide enough for its caption in a bold face, as
// title bars show it, and the title bar's icon and buttons; never wider than the screen.
void WidenForCaption(GtkWidget* dialog, const std::string& captionUtf8, const DialogOwner& owner) {
  PangoLayout* const layout = gtk_widget_create_pango_layout(dialog, captionUtf8.c_str());
  PangoContext* const context = pango_layout_get_context(layout);
  PangoFontDescription* const bold =
      pango_font_description_copy(pango_context_get_font_description(context));
  pango_font_description_set_weight(bold, PANGO_WEIGHT_BOLD);
  pango_layout_set_font_description(layout, bold);
  pango_font_description_free(bold);
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  int wanted = width + kTitleBarRoomInLines * height;
  const int screenWidth = owner.screenWidth > 0 ? owner.screenWidth : MonitorWidth();
  if (screenWidth > 0) {
    wanted = std::min(wanted, std::max(screenWidth - kScreenMargin, kScreenMargin));
  }
  gtk_widget_set_size_request(dialog, wanted, -1);
}

}  // namespace

bool GtkDialogsAvailable() {
  static const bool available = [] {
    const bool ok = gtk_init_check(nullptr, nullptr) != FALSE;
    // GTK applies the user's locale; the game's numbers must keep the C notation.
    std::setlocale(LC_NUMERIC, "C");
    return ok;
  }();
  return available;
}

void ShowGtkMessageBox(const std::string& captionUtf8, const std::string& textUtf8,
                       const DialogOwner& owner) {
  GtkWidget* const dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER,
                                                   GTK_BUTTONS_OK, "%s", textUtf8.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), captionUtf8.c_str());
  WidenForCaption(dialog, captionUtf8, owner);
  PrepareDialog(dialog, owner);
  RunModal(dialog, owner);
  Dismiss(dialog, owner);
}

std::optional<std::string> RunGtkFileDialog(FileDialogKind kind, const FileDialogSetup& setup,
                                            const DialogOwner& owner) {
  const WorkingFolderGuard keepWorkingFolder;
  GtkWidget* const dialog = NewFileChooser(kind);
  GtkFileChooser* const chooser = GTK_FILE_CHOOSER(dialog);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);
  AddFilters(chooser, setup.filter);
  if (!setup.initialFolder.empty()) {
    gtk_file_chooser_set_current_folder(chooser, setup.initialFolder.c_str());
  }
  if (kind == FileDialogKind::kSave) ProposeName(chooser, setup.fileName);
  PrepareDialog(dialog, owner);
  FitToScreen(dialog, owner);

  std::optional<std::string> chosen;
  if (RunModal(dialog, owner) == GTK_RESPONSE_ACCEPT) {
    if (gchar* const name = gtk_file_chooser_get_filename(chooser)) {
      chosen = name;
      g_free(name);
    }
  }
  Dismiss(dialog, owner);
  return chosen;
}

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filterCp1251) {
  std::vector<FileFilterEntry> entries;
  if (filterCp1251.empty()) return entries;
  const std::vector<std::string> parts = Split(filterCp1251, '|');
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    FileFilterEntry entry{Cp1251ToUtf8(parts[i]), {}};
    if (i + 1 < parts.size()) {
      for (std::string& pattern : Split(parts[i + 1], ';')) {
        if (!pattern.empty()) entry.patterns.push_back(std::move(pattern));
      }
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string CaseInsensitiveGlob(const std::string& pattern) {
  std::string glob;
  bool inClass = false;
  for (const char c : pattern) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool letter = u < 128 && std::isalpha(u);
    const char lower = static_cast<char>(std::tolower(u));
    const char upper = static_cast<char>(std::toupper(u));
    if (letter && inClass) {
      glob += lower;
      glob += upper;
    } else if (letter) {
      glob += '[';
      glob += lower;
      glob += upper;
      glob += ']';
    } else {
      glob += c;
      if (c == '[') inClass = true;
      if (c == ']') inClass = false;
    }
  }
  return glob;
}
