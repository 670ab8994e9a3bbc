// A full repaint of the six participant buttons, each showing a 12-megapixel camera-sized JPEG,
// as the game does it: camera photos with their EXIF thumbnails, the same photos without them
// (decoded at a reduced scale for the small picture places), and decoded at full size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "../tests/game/ButtonHarness.h"
#include "../tests/platform/PictureFiles.h"
#include "PlatformInternal.h"
#include "controls/ParticipantTable.h"
#include "services/JpegDecoder.h"

namespace {

constexpr int PhotoWidth = 4000;
constexpr int PhotoHeight = 3000;

struct Photos {
  ~Photos() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::filesystem::path folder;
  std::vector<std::string> cameraPaths;  // with a 160x120 EXIF thumbnail
  std::vector<std::string> plainPaths;
  std::vector<std::vector<uint8_t>> bytes;
};

// Six different photo-like pictures: smooth light with fine grain, about 3 MB each at quality
// 90, as a camera gives, with and without the thumbnail a camera puts in.
const Photos& photos() {
  static Photos photos = [] {
    Photos made;
    made.folder = std::filesystem::temp_directory_path() / ("vortelle-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(made.folder);
    for (int n = 0; n < 6; ++n) {
      auto light = [n](int x, int y, uint32_t* seed) {
        *seed = *seed * 1103515245u + 12345u;
        int grain = static_cast<int>((*seed >> 16) & 15) - 8;
        auto channel = [&](int base) { return static_cast<uint32_t>(std::clamp(base + grain, 0, 255)); };
        int r = (x * 255 / PhotoWidth + n * 40) % 256;
        int g = y * 255 / PhotoHeight;
        int b = ((x + y) / 40 % 2) * 60 + 100;
        return channel(r) << 16 | channel(g) << 8 | channel(b);
      };
      uint32_t seed = 12345u + n;
      auto bytes = picture_files::encodeJpeg(
          PhotoWidth, PhotoHeight, [&](int x, int y) { return light(x, y, &seed); }, false, 90);
      constexpr int ThumbnailStep = PhotoWidth / 160;
      auto thumbnail = picture_files::encodeJpeg(
          160, 120, [&](int x, int y) { return light(x * ThumbnailStep, y * ThumbnailStep, &seed); }, false, 90);
      std::string name = "photo" + std::to_string(n);
      std::string plain = (made.folder / (name + ".jpg")).string();
      std::string camera = (made.folder / (name + "-camera.jpg")).string();
      picture_files::writeFile(plain, bytes);
      picture_files::writeFile(camera, picture_files::withExifThumbnail(bytes, thumbnail));
      made.plainPaths.push_back(plain);
      made.cameraPaths.push_back(camera);
      made.bytes.push_back(std::move(bytes));
    }
    return made;
  }();
  return photos;
}

struct Players {
  HWND buttons[6];
};

Players openPlayers(const std::vector<std::string>& paths) {
  Players players;
  HWND main = button_test::startHarness(480, 800);
  for (int i = 0; i < 6; ++i) {
    int id = IDC_PARTICIPANT_FIRST + PARTICIPANT_ID_STEP * i;
    players.buttons[i] =
        button_test::addButton(main, TEXT("buttonParticipant"), TEXT("img."), id, 5 + 78 * i, 10, 70, 90);
  }
  for (int i = 0; i < 6; ++i) {
    SetParticipantImagePath(IDC_PARTICIPANT_FIRST + PARTICIPANT_ID_STEP * i, platform::phonePath(paths[i]).c_str());
  }
  return players;
}

void repaint(benchmark::State& state, const std::vector<std::string>& paths) {
  Players players = openPlayers(paths);
  for (auto _ : state) {
    for (HWND button : players.buttons) InvalidateRect(button, nullptr, FALSE);
    platform_test::pump();
  }
  state.counters["files"] = 6;
}

void RepaintSixPlayers(benchmark::State& state) { repaint(state, photos().cameraPaths); }
BENCHMARK(RepaintSixPlayers)->Unit(benchmark::kMillisecond);

void RepaintSixPlayersWithoutThumbnails(benchmark::State& state) { repaint(state, photos().plainPaths); }
BENCHMARK(RepaintSixPlayersWithoutThumbnails)->Unit(benchmark::kMillisecond);

// The same six pictures decoded whole and drawn into the same places.
void RepaintSixPlayersFullSizeDecoding(benchmark::State& state) {
  const Photos& pictures = photos();
  Players players = openPlayers(pictures.plainPaths);
  RECT place = {2, 36, 68, 88};
  for (auto _ : state) {
    for (int i = 0; i < 6; ++i) {
      platform::imaging::DecodedPicture picture;
      const auto& bytes = pictures.bytes[i];
      platform::imaging::decodeJpeg(bytes.data(), bytes.size(), PhotoWidth, PhotoHeight, &picture);
      HDC hdc = GetDC(players.buttons[i]);
      platform::gdi::drawPixels(hdc, place, picture.pixels.data(), picture.width, picture.height, picture.width * 4);
      ReleaseDC(players.buttons[i], hdc);
    }
  }
}
BENCHMARK(RepaintSixPlayersFullSizeDecoding)->Unit(benchmark::kMillisecond);

}  // namespace
