// The map window's redraw after a Calculate: opens the window with its map
// window beside it (side SIDE pixels, default 500), then calculates ROUNDS
// times with two foreign locators in turn and prints the milliseconds from
// each Calculate until the map window has painted the new map: median and
// largest; beside it the renderer alone for the same side. Needs a display
// (Xvfb will do).
//   map_window_benchmark [SIDE [ROUNDS]]
#include "map/MapRenderer.h"
#include "platform/qt/DesktopPlatform.h"
#include "platform/qt/QtMapWindow.h"
#include "platform/qt/QtWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  const int side = argc > 1 ? std::atoi(argv[1]) : 500;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 50;
  QApplication application(argc, argv);
  pelvorn::DesktopPlatform platform(pelvorn::DesktopPlatform::Run::Ordinary);
  pelvorn::QtWindow window(platform, nullptr, {}, pelvorn::NumberLocale{u','});
  window.show();
  window.mapAction()->trigger();
  pelvorn::QtMapWindow& map = window.mapWindow();
  map.resize(side, side);
  QApplication::processEvents();
  window.ownLocatorBox()->setText(QStringLiteral("JO62mm"));
  std::vector<double> took;
  for (int i = 0; i < rounds; ++i) {
    window.foreignLocatorBox()->setText(i % 2 ? QStringLiteral("KM38mm") : QStringLiteral("FN31pr"));
    const auto start = std::chrono::steady_clock::now();
    window.form().calculate();
    map.repaint();
    took.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::vector<double> rendered;
  pelvorn::map::MapRequest request{{52.52, 13.04, "JO62MM"}, pelvorn::map::Station{38.52, 27.04, "KM38MM"}, "", 0, side};
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    pelvorn::map::RenderPixels(request);
    rendered.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(rendered.begin(), rendered.end());
  std::sort(took.begin(), took.end());
  std::printf("map %dx%d px: Calculate to painted map, median %.1f ms, largest %.1f ms (%d rounds)\n",
              map.image().width(), map.image().height(), took[took.size() / 2], took.back(), rounds);
  std::printf("RenderPixels alone: median %.1f ms, largest %.1f ms\n", rendered[rendered.size() / 2], rendered.back());
  return 0;
}
