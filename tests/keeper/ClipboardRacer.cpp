// clipboard_racer MILLISECONDS: takes CLIPBOARD over and over for that long,
// in batches of 2000 requests, so that a keeper taking the clipboard at
// the same time is overtaken in the middle of it. Status 0, 1 without a
// display.

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) return 1;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const xcb_window_t window = xcb_generate_id(connection);
  xcb_create_window(connection, 0, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  const char name[] = "CLIPBOARD";
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> clipboard(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr),
      &std::free);
  if (!clipboard) return 1;

  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[1]));
  while (std::chrono::steady_clock::now() < end) {
    for (int i = 0; i < 2000; ++i) xcb_set_selection_owner(connection, window, clipboard->atom, XCB_CURRENT_TIME);
    // One round trip per batch, so that the requests never pile up.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  }
  xcb_disconnect(connection);
  return 0;
}
