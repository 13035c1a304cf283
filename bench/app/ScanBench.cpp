// Measures full scans through the real main window, skinned and with
// skinning switched off, against a bare FindFirstFileA/FindNextFileA walk
// of the same tree (drive D: of a prefix made by run-scan-bench) and the
// same walk emptying the message queue before each file, as the scan must;
// and how long the window takes to answer a message while the scans run.
// The rounds interleave the pumped walk and the two kinds of scan.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "DialogDriver.h"
#include "app/ad.h"
#include "app/scan.h"
#include "skin/window/SkinManager.h"

namespace {
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Counts the files under folder, as the scan walks them, without examining
// them; with pump, the application's messages are processed before each file.
size_t BareWalk(const std::string& folder, bool pump = false) {
  size_t files = 0;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (entry.cFileName[0] == '.') continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      files += BareWalk(folder + entry.cFileName + "\\", pump);
    else {
      if (pump) Application->ProcessMessages();
      ++files;
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return files;
}

// The processor time the calling thread has used (user and kernel), in seconds.
double ThreadSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

bool Answered = false;
Clock::time_point BoxCreated;

// True when window is a dialog box (the completion box).
bool IsBox(WPARAM window) {
  char name[16] = {};
  GetClassNameA(reinterpret_cast<HWND>(window), name, sizeof name);
  return std::string(name) == "#32770";
}

// Notes when the completion box is made (the walk is over then) and answers
// it as soon as it is activated, on the thread that shows it (a thread
// polling for the box would compete with the scan).
LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && IsBox(wParam)) BoxCreated = Clock::now();
  if (code == HCBT_ACTIVATE && IsBox(wParam)) {
    Answered = true;
    PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A complete scan from the idle state with an empty list, its completion
// box answered; gives the seconds it took, and in cpu the processor time
// the main thread spent on it (what other programs on the machine disturb
// far less than the time on the clock), and in walk the seconds until the
// completion box was made.
double TimedScan(double& cpu, double& walk) {
  Form1->memo1->Items().Clear();
  Form1->SpeedButton1->SetDown(false);
  StopRequested = false;
  const HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, GetCurrentThreadId());
  Answered = false;
  TSpeedButton* button = Form1->SpeedButton1;
  const auto start = Clock::now();
  const double cpuStart = ThreadSeconds();
  PostClick(Form1->Panel1->Handle(), button->Left() + button->Width() / 2,
            button->Top() + button->Height() / 2);
  Application->ProcessMessages();
  const double seconds = Seconds(start);
  cpu = ThreadSeconds() - cpuStart;
  walk = std::chrono::duration<double>(BoxCreated - start).count();
  UnhookWindowsHookEx(hook);
  return Answered ? seconds : -1;
}

// Switches the main window's skinning on or off and waits until it has
// happened (the switch is deferred by the skin manager).
bool SetSkinned(bool on) {
  Form1->SkinData1->SetActive(on);
  const auto start = Clock::now();
  while (Seconds(start) < 10) {
    Application->ProcessMessages();
    if ((SkinManager->FormSkinner(Form1->Handle()) != nullptr) == on) return true;
    Sleep(10);
  }
  return false;
}

// The median of the values.
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
}  // namespace

// Runs both measurements, each ROUNDS times (argument; 5 by default), and
// prints the median and the fastest.
int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  BareWalk("D:\\");  // warm the caches the same way for both
  std::vector<double> walks;
  size_t files = 0;
  for (int i = 0; i < rounds; ++i) {
    const auto walkStart = Clock::now();
    files = BareWalk("D:\\");
    walks.push_back(Seconds(walkStart));
  }

  Application->Initialize();
  Application->SetTitle("Quorvel ");
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Form1->Show();
  Application->ProcessMessages();

  // A probe that asks the window for its text every 20 ms during the scans.
  std::atomic<bool> scanning{true};
  std::atomic<long long> worstMicros{0};
  std::atomic<long long> probes{0};
  HWND window = Form1->Handle();
  std::thread probe([&] {
    while (scanning) {
      char text[64];
      const auto t = Clock::now();
      SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, 60000, nullptr);
      const long long us =
          std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t).count();
      worstMicros = std::max(worstMicros.load(), us);
      ++probes;
      Sleep(20);
    }
  });

  std::vector<double> pumped, pumpedCpus, scans, cpus, scanWalks, plainScans, plainCpus;
  bool answered = true;
  for (int i = 0; i < rounds; ++i) {
    const auto walkStart = Clock::now();
    const double walkCpu = ThreadSeconds();
    BareWalk("D:\\", true);
    pumped.push_back(Seconds(walkStart));
    pumpedCpus.push_back(ThreadSeconds() - walkCpu);
    double cpu = 0, scanWalk = 0;
    double s = TimedScan(cpu, scanWalk);
    answered = answered && s >= 0;
    scans.push_back(s);
    cpus.push_back(cpu);
    scanWalks.push_back(scanWalk);
    answered = SetSkinned(false) && answered;
    s = TimedScan(cpu, scanWalk);
    answered = answered && s >= 0;
    plainScans.push_back(s);
    plainCpus.push_back(cpu);
    answered = SetSkinned(true) && answered;
  }
  scanning = false;
  probe.join();
  const int listed = Form1->memo1->Items().Count();
  Application->DestroyComponents();

  const double walk = Median(walks), pumpedWalk = Median(pumped), scan = Median(scans),
               plain = Median(plainScans);
  std::printf("files in tree:        %zu\n", files);
  std::printf("hits listed:          %d\n", listed);
  std::printf("rounds:               %d\n", rounds);
  std::printf("bare walk:            %.3f s median, %.3f s fastest\n", walk,
              *std::min_element(walks.begin(), walks.end()));
  std::printf("pumped walk:          %.3f s median, %.3f s fastest\n", pumpedWalk,
              *std::min_element(pumped.begin(), pumped.end()));
  std::printf("full scan (window):   %.3f s median, %.3f s fastest (includes the completion box)\n",
              scan, *std::min_element(scans.begin(), scans.end()));
  std::printf("pumped walk, main thread: %.3f s median\n", Median(pumpedCpus));
  std::printf("scan, main thread:    %.3f s median, %.3f s least processor time\n", Median(cpus),
              *std::min_element(cpus.begin(), cpus.end()));
  std::printf("scan, skinning off:   %.3f s median, %.3f s main thread\n", plain,
              Median(plainCpus));
  std::printf("scans, in order:     ");
  for (double s : scans) std::printf(" %.3f", s);
  std::printf(" s\n");
  std::printf("ratio scan / walk:    %.2f (medians)\n", walk > 0 ? scan / walk : 0.0);
  std::printf("pumped walks, in order:");
  for (double s : pumped) std::printf(" %.3f", s);
  std::printf(" s\n");
  std::printf("ratio scan / pumped:  %.2f skinned, %.2f skinning off (medians)\n",
              pumpedWalk > 0 ? scan / pumpedWalk : 0.0, pumpedWalk > 0 ? plain / pumpedWalk : 0.0);
  // Each round's scans against its own pumped walk, run right before them:
  // what other programs on the machine do shifts both alike.
  std::vector<double> ratios, walkRatios, plainRatios;
  for (size_t i = 0; i < pumped.size(); ++i) {
    ratios.push_back(scans[i] / pumped[i]);
    walkRatios.push_back(scanWalks[i] / pumped[i]);
    plainRatios.push_back(plainScans[i] / pumped[i]);
  }
  std::printf("ratio per round:      %.2f skinned, %.2f skinning off (medians of the rounds)\n",
              Median(ratios), Median(plainRatios));
  std::printf("scan until its box:   %.3f s median; per round %.2f of the pumped walk (skinned)\n",
              Median(scanWalks), Median(walkRatios));
  std::printf("window answered %lld probes, slowest in %.1f ms\n", probes.load(),
              worstMicros.load() / 1000.0);
  return answered ? 0 : 1;
}
