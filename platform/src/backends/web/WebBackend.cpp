#include "backends/web/WebBackend.h"

#include "backends/shared/BeepTones.h"
#include "backends/shared/LampDrawing.h"
#include "backends/web/BrowserPage.h"
#include "core/UiThreadCalls.h"
#include "services/DecodedPicture.h"

#include <emscripten.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace platform {

namespace web {

namespace {

// The longest a worker's sequence lasts is a fraction of this.
constexpr uint32_t kWorkerEndWait = 2000;
// How long a worker fiber sleeps between looks at a call it left for the user-interface code.
constexpr uint32_t kUiCallStep = 10;
// A vibration the game turns on lasts until it turns it off; the browser wants a length.
constexpr int kVibrationHold = 10000;

}  // namespace

bool WebBackend::open(const Options& options, std::string* error) {
  start_ = emscripten_get_now();
  screenWidth_ = options.screenWidth;
  if (options.leds) {
    lamps_ = std::make_unique<lamps::LampStrip>();
    stripWidth_ = lamps::lampStripWidth(options.screenWidth, options.screenHeight);
  }
  if (!vortelleOpenPage(options.screenWidth + stripWidth_, options.screenHeight, options.screenWidth)) {
    *error = "the page has no <canvas id=\"screen\"> to draw on";
    return false;
  }
  dirty_ = {0, 0, options.screenWidth, options.screenHeight};
  return true;
}

uint32_t WebBackend::now() { return static_cast<uint32_t>(emscripten_get_now() - start_); }

void WebBackend::present() {
  presentLamps();
  const gdi::SurfacePtr& surface = screenSurface();
  if (!surface) return;
  const gdi::PixelBuffer& pixels = surface->pixels();
  // The vibration shakes the screen sideways beside the still lamp strip, as on the desktop.
  const int shift = lamps_ != nullptr ? lamps_->shakeOffset(now()) : 0;
  if (shift != shift_) {
    shift_ = shift;
    dirty_ = {0, 0, pixels.width, pixels.height};
    shown_.forget();
    if (shift > 0) putGround(0, shift, pixels.height);
    if (shift < 0) putGround(screenWidth_ + shift, -shift, pixels.height);
  }
  if (dirty_.right <= dirty_.left || dirty_.bottom <= dirty_.top) return;
  // Only what lands on the screen's own columns: the strip keeps its place.
  const RECT r{std::max<LONG>({dirty_.left, 0, -shift_}), std::max<LONG>(dirty_.top, 0),
               std::min<LONG>({dirty_.right, pixels.width, screenWidth_ - shift_}),
               std::min<LONG>(dirty_.bottom, pixels.height)};
  dirty_ = {0, 0, 0, 0};
  shown_.changes(pixels, r, changed_);
  for (const RECT& part : changed_) {
    vortellePutShown(reinterpret_cast<const uint8_t*>(shown_.shown()), shown_.width(), shown_.height(), part.left,
                     part.top, part.right - part.left, part.bottom - part.top, part.left + shift_);
  }
}

void WebBackend::putGround(int x, int width, int height) {
  rgba_.assign(static_cast<size_t>(width) * height, 0xFF000000u);
  vortellePut(reinterpret_cast<const uint8_t*>(rgba_.data()), x, 0, width, height);
}

void WebBackend::presentLamps() {
  if (lamps_ == nullptr) return;
  const uint32_t at = now();
  std::vector<bool> lit;
  for (unsigned led : lamps::LampStrip::kLeds) lit.push_back(lamps_->lit(led, at));
  if (lit == lampsShown_) return;
  lampsShown_ = std::move(lit);
  const gdi::SurfacePtr& surface = screenSurface();
  HBITMAP strip = lamps::drawLampStrip(*lamps_, stripWidth_, surface ? surface->height() : 0, at);
  if (strip == nullptr) return;
  if (const gdi::PixelBuffer* pixels = gdi::bitmapPixels(strip))
    put(*pixels, RECT{0, 0, pixels->width, pixels->height}, screenWidth_, 0);
  DeleteObject(reinterpret_cast<HGDIOBJ>(strip));
}

void WebBackend::put(const gdi::PixelBuffer& pixels, const RECT& r, int x, int y) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  rgba_.resize(static_cast<size_t>(width) * height);
  uint32_t* out = rgba_.data();
  for (int row = r.top; row < r.bottom; ++row) {
    const uint32_t* in = pixels.row(row) + r.left;
    for (int i = 0; i < width; ++i) *out++ = present::canvasWord(in[i]);
  }
  vortellePut(reinterpret_cast<const uint8_t*>(rgba_.data()), x, y, width, height);
}

bool WebBackend::deliverInput() {
  bool any = false;
  PageEvent event;
  while (vortelleNextEvent(&event)) {
    any = true;
    switch (event.kind) {
      case PageEventKind::StylusDown:
        input::stylusDown(event.a, event.b);
        break;
      case PageEventKind::StylusMove:
        input::stylusMove(event.a, event.b);
        break;
      case PageEventKind::StylusUp:
        input::stylusUp(event.a, event.b);
        break;
      case PageEventKind::KeyDown:
        input::key(static_cast<UINT>(event.a), true);
        break;
      case PageEventKind::KeyUp:
        input::key(static_cast<UINT>(event.a), false);
        break;
      case PageEventKind::FileChosen:
        chooserAnswer_ = 1;
        break;
      case PageEventKind::FileCancelled:
        chooserAnswer_ = 2;
        break;
      case PageEventKind::Close:
        closeGame();
        break;
      case PageEventKind::Visible:
      case PageEventKind::None:
        break;
    }
  }
  return any;
}

void WebBackend::idle(uint32_t deadline) {
  present();
  if (workers_.runDue(now())) return;
  if (deliverInput()) return;
  uint32_t until = std::min(deadline, workers_.nextWake());
  if (lamps_ != nullptr) until = std::min(until, lamps_->nextChange(now()));
  const uint32_t at = now();
  if (until != NoDeadline && until <= at) return;
  vortelleWait(until == NoDeadline ? -1 : static_cast<int>(until - at));
  deliverInput();
}

void WebBackend::screenChanged(const RECT& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (dirty_.right <= dirty_.left || dirty_.bottom <= dirty_.top) {
    dirty_ = rect;
    return;
  }
  dirty_ = {std::min(dirty_.left, rect.left), std::min(dirty_.top, rect.top), std::max(dirty_.right, rect.right),
            std::max(dirty_.bottom, rect.bottom)};
}

void WebBackend::sleepUntil(uint32_t until) {
  while (true) {
    workers_.runDue(now());
    // What was drawn before the sleep is seen during it, as on the phone, and the lamps blink
    // and shake meanwhile.
    present();
    const uint32_t at = now();
    if (at >= until) return;
    uint32_t wake = std::min(until, workers_.nextWake());
    if (lamps_ != nullptr) wake = std::min(wake, lamps_->nextChange(at));
    emscripten_sleep(wake - at);
  }
}

void WebBackend::sleep(uint32_t milliseconds) {
  const uint32_t until = now() + milliseconds;
  if (workers_.onWorker()) {
    workers_.sleepUntil(until);
    return;
  }
  sleepUntil(until);
}

bool WebBackend::startThread(LPTHREAD_START_ROUTINE start, void* parameter) { return workers_.start(start, parameter); }

void WebBackend::finishWorkers() {
  const uint32_t until = now() + kWorkerEndWait;
  while (workers_.alive() > 0 && now() < until) sleepUntil(std::min(until, workers_.nextWake()));
}

bool WebBackend::callOnUiThread(const std::function<void()>& work) {
  if (!workers_.onWorker()) return Backend::callOnUiThread(work);
  // The user-interface code runs only while this fiber sleeps: it waits in short sleeps.
  core::UiThreadCall call(work);
  if (!call.queue()) return false;
  while (!call.settled()) workers_.sleepUntil(now() + kUiCallStep);
  return call.finished();
}

void WebBackend::beep(UINT type) {
  const std::vector<int16_t> samples = sdl::beepSamples(type);
  vortellePlay(samples.data(), static_cast<int>(samples.size()), sdl::kBeepSampleRate);
}

void WebBackend::ledChanged(const NLED_SETTINGS_INFO& settings) {
  if (lamps_ != nullptr) lamps_->set(settings.LedNum, settings.OffOnBlink, settings.OnTime, settings.OffTime, now());
  if (settings.LedNum != lamps::LampStrip::kVibrationLed) return;
  vortelleVibrate(settings.OffOnBlink == 0 ? 0 : kVibrationHold);
}

void WebBackend::backlightChanged(bool held) { vortelleHoldAwake(held); }

bool WebBackend::ledAccepts(UINT) { return true; }

bool WebBackend::answerBox(const BoxRequest&, int*) { return false; }

bool WebBackend::answerFileDialog(HWND, std::u16string*, bool*) { return false; }

ChooserResult WebBackend::chooseFile(const FileChooserRequest& request, std::string* hostPath) {
  chooserAnswer_ = 0;
  vortelleChooseFile(static_cast<double>(imaging::MaxPictureFileBytes),
                     static_cast<double>(reinterpret_cast<uintptr_t>(request.owner)));
  bool quit = false;
  while (chooserAnswer_ == 0 && !quit) quit = !pumpWhileChoosing(1000);
  if (chooserAnswer_ != 1 || quit) return ChooserResult::Cancelled;
  hostPath->assign(static_cast<size_t>(vortelleChosenPath(nullptr, 0)) + 1, '\0');
  hostPath->resize(static_cast<size_t>(vortelleChosenPath(hostPath->data(), static_cast<int>(hostPath->size()))));
  return ChooserResult::Chosen;
}

void WebBackend::titleChanged(const std::u16string& title) { vortelleSetTitle(utf8(title).c_str()); }

// The program as the page names it (BrowserStart.js): its pictures lie beside it.
std::string WebBackend::programPath() { return program_invocation_name != nullptr ? program_invocation_name : ""; }

// The page plays one game, so any class and title asked for is the game's.
bool WebBackend::findOtherInstance(LPCWSTR, LPCWSTR) { return vortelleOtherInstance(); }

bool WebBackend::raiseOtherInstance() { return vortelleRaiseOtherInstance(); }

void WebBackend::closeGame() {
  // The phone asks the application's window to close, which this game does without a question,
  // whatever box or dialog it shows. Before it has a window: its quit.
  HWND window = FindWindowW(nullptr, nullptr);
  if (window != nullptr && IsWindow(window))
    PostMessageW(window, WM_CLOSE, 0, 0);
  else
    PostQuitMessage(0);
}

void WebBackend::ended(int exitCode) { vortelleEnded(exitCode); }

}  // namespace web

Backend* createWindowBackend(const Options& options, std::string* error) {
  auto backend = std::make_unique<web::WebBackend>();
  if (!backend->open(options, error)) return nullptr;
  return backend.release();
}

}  // namespace platform
