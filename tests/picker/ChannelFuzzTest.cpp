// Random work on the channel editors: texts set, pasted and typed into the edits, slider and
// up-down moves, colours set from outside. After every step the colour must be the one the three
// edits' texts make, every view must show it, and no edit may hold a value above 255.
//
// CHROMIVO_FUZZ_STEPS sets the number of steps and CHROMIVO_FUZZ_SEED the seed; the seed is
// printed, and the same seed gives the same steps. What the controls' own timers do between steps
// can differ from run to run (see the up-down clicks below).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "PickerFixture.h"
#include "res/resource.h"

namespace {

// What fits in about half a minute under Wine on the build machine, where a step with its checks
// takes 4 to 8 ms: every colour change repaints the texts, sliders and edits of a visible window.
constexpr long kDefaultSteps = 4000;
constexpr unsigned kDefaultSeed = 0xC0105;
// How often the swatch is read back from the screen.
constexpr long kSwatchEvery = 50;
// An edit's change handler runs inside another only when it rewrites its own edit ("0", "255");
// deeper nesting would mean handlers running each other.
constexpr int kDeepestChangeNesting = 2;

constexpr int kEdits[] = {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT};
constexpr int kSpins[] = {IDC_RED_SPIN, IDC_GREEN_SPIN, IDC_BLUE_SPIN};
constexpr int kSliders[] = {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER};

long FromEnvironment(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 0) : fallback;
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", value);
  return text;
}

// How an edit's text counts, written out here as the reference: its first three characters read
// like atoi (blanks, one sign, digits).
int ValueOf(const std::string& text) {
  const std::string first = text.substr(0, 3);
  size_t at = 0;
  while (at < first.size() && std::isspace(static_cast<unsigned char>(first[at]))) {
    ++at;
  }
  bool negative = false;
  if (at < first.size() && (first[at] == '-' || first[at] == '+')) {
    negative = first[at] == '-';
    ++at;
  }
  int value = 0;
  for (; at < first.size() && std::isdigit(static_cast<unsigned char>(first[at])); ++at) {
    value = value * 10 + (first[at] - '0');
  }
  return negative ? -value : value;
}

// The channel an edit's text gives: the low eight bits of its value.
int ChannelOf(const std::string& text) {
  return ValueOf(text) & 0xFF;
}

// How deep the edits' change notifications to the window nest, seen from a test-side subclass.
class ChangeNesting {
 public:
  explicit ChangeNesting(HWND window) : m_window(window) {
    ::SetWindowSubclass(m_window, Count, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  ~ChangeNesting() { ::RemoveWindowSubclass(m_window, Count, 0); }
  ChangeNesting(const ChangeNesting&) = delete;
  ChangeNesting& operator=(const ChangeNesting&) = delete;

  int Deepest() const { return m_deepest; }
  void Reset() { m_deepest = 0; }

 private:
  static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR self) {
    auto* nesting = reinterpret_cast<ChangeNesting*>(self);
    const bool change = message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE;
    if (change) {
      nesting->m_deepest = std::max(nesting->m_deepest, ++nesting->m_depth);
    }
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (change) {
      --nesting->m_depth;
    }
    return result;
  }

  HWND m_window;
  int m_depth = 0;
  int m_deepest = 0;
};

class Random {
 public:
  explicit Random(unsigned seed) : m_engine(seed) {}
  // 0 to count - 1.
  int Below(int count) { return static_cast<int>(m_engine() % static_cast<unsigned>(count)); }
  bool OneIn(int count) { return Below(count) == 0; }

  // Mostly short texts of digits, now and then signs, blanks and letters, up to 64 characters.
  std::string Text() {
    static const char kDigits[] = "0123456789";
    static const char kOthers[] = "+- \tabcxyzABC";
    const int length = OneIn(8) ? Below(65) : Below(6);
    std::string text;
    for (int i = 0; i < length; ++i) {
      text += OneIn(4) ? kOthers[Below(sizeof(kOthers) - 1)] : kDigits[Below(sizeof(kDigits) - 1)];
    }
    return text;
  }

 private:
  std::mt19937 m_engine;
};

}  // namespace

class ChannelFuzzTest : public PickerTest {
 protected:
  // One random step; returns what it did, for the failure message.
  std::string Step(Random& random) {
    const int channel = random.Below(3);
    const HWND edit = Control(kEdits[channel]);
    const std::string which = std::to_string(channel);
    switch (random.Below(8)) {
      case 0:
      case 1: {
        const std::string text = random.Text();
        ::SetWindowTextA(edit, text.c_str());
        return "set edit " + which + " to \"" + text + "\"";
      }
      case 2:
      case 3: {
        const std::string text = random.Text();
        const auto [start, end] = RandomSelection(random, edit);
        if (random.OneIn(20)) {
          PutOnClipboard(text.c_str());
          ::SendMessageA(edit, WM_PASTE, 0, 0);
          return "pasted \"" + text + "\" into edit " + which + Range(start, end);
        }
        ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return "replaced" + Range(start, end) + " of edit " + which + " by \"" + text + "\"";
      }
      case 4: {
        static const WORD kKeys[] = {'0',      '5',     '9',    VK_BACK, VK_DELETE, VK_LEFT,
                                     VK_RIGHT, VK_HOME, VK_END, VK_UP,   VK_DOWN};
        const WORD key = kKeys[random.Below(std::size(kKeys))];
        const auto [start, end] = RandomSelection(random, edit);
        PressKey(kEdits[channel], key);
        return "key " + std::to_string(key) + " in edit " + which + Range(start, end);
      }
      case 5: {
        const HWND slider = Control(kSliders[channel]);
        if (random.OneIn(2)) {
          static const WORD kKeys[] = {VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
          const WORD key = kKeys[random.Below(std::size(kKeys))];
          ::SendMessageA(slider, WM_KEYDOWN, key, 1);
          return "key " + std::to_string(key) + " on slider " + which;
        }
        // A thumb dragged to a position: the slider moves, then tells the window.
        const int position = random.Below(256);
        static const WORD kCodes[] = {TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK};
        const WORD code = kCodes[random.Below(std::size(kCodes))];
        ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
        ::SendMessageA(Window(), WM_HSCROLL, MAKEWPARAM(code, position),
                       reinterpret_cast<LPARAM>(slider));
        return "slider " + which + " dragged to " + std::to_string(position);
      }
      case 6: {
        // Clicks sent straight to the up-down leave it believing the mouse is over an arrow. Wine's
        // up-down then takes one more step of its own, 250 ms after an Up or Down key in its edit,
        // from whatever value it last held. It writes the edit as any step does.
        const HWND spin = Control(kSpins[channel]);
        RECT rect;
        ::GetClientRect(spin, &rect);
        const bool up = random.OneIn(2);
        const LPARAM at = MAKELPARAM(rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4);
        ::SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(spin, WM_LBUTTONUP, 0, at);
        return std::string(up ? "up" : "down") + " arrow of spin " + which;
      }
      default: {
        const COLORREF color = RGB(random.Below(256), random.Below(256), random.Below(256));
        dialog.SetCurrentColor(color, true);
        return "colour set to " + RgbTextOf(color);
      }
    }
  }

 private:
  static std::pair<int, int> RandomSelection(Random& random, HWND edit) {
    const int length = ::GetWindowTextLengthA(edit);
    const int start = random.OneIn(5) ? 0 : random.Below(length + 2);
    const int end = random.OneIn(5) ? -1 : random.Below(length + 2);
    ::SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
    return {start, end};
  }

  static std::string Range(int start, int end) {
    return " (selection " + std::to_string(start) + ".." + std::to_string(end) + ")";
  }
};

TEST_F(ChannelFuzzTest, TheColorIsAlwaysTheOneTheEditsMakeAndEveryViewShowsIt) {
  const long steps = FromEnvironment("CHROMIVO_FUZZ_STEPS", kDefaultSteps);
  const unsigned seed = static_cast<unsigned>(FromEnvironment("CHROMIVO_FUZZ_SEED", kDefaultSeed));
  std::printf("channel fuzz: %ld steps, seed %s\n", steps, Hex(seed).c_str());
  Random random(seed);
  ChangeNesting nesting(Window());
  const auto started = std::chrono::steady_clock::now();

  for (long step = 0; step < steps; ++step) {
    nesting.Reset();
    const std::string did = Step(random);
    Pump();
    const std::string texts[] = {Text(IDC_RED_EDIT), Text(IDC_GREEN_EDIT), Text(IDC_BLUE_EDIT)};
    const COLORREF made = RGB(ChannelOf(texts[0]), ChannelOf(texts[1]), ChannelOf(texts[2]));
    const auto context = [&] {
      return "step " + std::to_string(step) + " (seed " + Hex(seed) + "): " + did +
             "; the edits read \"" + texts[0] + "\", \"" + texts[1] + "\", \"" + texts[2] + "\"";
    };
    ASSERT_TRUE(ShowsColor(made)) << context();
    // A value above 255 is rewritten as "255" at once; a negative one stays as it was put.
    for (const std::string& text : texts) {
      ASSERT_LE(ValueOf(text), 255) << context();
    }
    ASSERT_LE(nesting.Deepest(), kDeepestChangeNesting) << context();
    // Wine's up-down can still take a step of its own while the swatch is read (on a loaded
    // machine, more than one): the swatch must show the colour the edits make at that moment.
    if (step % kSwatchEvery == 0) {
      ASSERT_TRUE(SwatchShows([this] {
        return RGB(ChannelOf(Text(IDC_RED_EDIT)), ChannelOf(Text(IDC_GREEN_EDIT)),
                   ChannelOf(Text(IDC_BLUE_EDIT)));
      })) << context();
    }
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("channel fuzz: %ld steps in %.1f s\n", steps, seconds);
}
