#pragma once
// The real velo2duro.exe, copied into a fresh folder of its own (so that its "settings.ini"
// is the test's) and started with APPDATA pointing into that folder, so that every run has a
// fresh data folder. The donation window, when the program shows it, is checked and closed.
#include <windows.h>

#include <memory>
#include <string>

#include "runtime/portable/text.h"
#include "temp_folder.h"
#include "window_probe.h"

class ProgramUnderTest {
 public:
  ProgramUnderTest();
  ~ProgramUnderTest();
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  // "settings.ini" beside the program; without one the program saves nothing.
  void WriteSettings(const std::string& bytes);
  Text SettingsPath() const;
  // A file in the test's own folder, beside the program.
  Text File(const std::string& name) const { return folder_.File(name); }
  // The data folder the program derives from APPDATA: "...\Velo 2 DUro\".
  Text DataFolder() const;

  bool Start();
  // Waits for the main window; a donation window shown first is checked and closed when its
  // button allows. nullptr when no main window came.
  HWND WaitForMainWindow(int timeoutMs);
  bool DonationWindowShown() const { return donationShown_; }
  // What the donation window showed, for the test to check.
  Text DonationFirstCloseText() const { return donationFirstText_; }
  bool DonationCloseDisabledAtFirst() const { return donationDisabledAtFirst_; }
  Text DonationLastCloseText() const { return donationLastText_; }

  bool WaitForExit(int timeoutMs, DWORD& exitCode);
  bool Running() const;

  const WindowProbe& Probe() const { return *probe_; }
  HANDLE Process() const { return process_.hProcess; }

 private:
  void AnswerDonationWindow(HWND donation);

  TempFolder folder_;
  PROCESS_INFORMATION process_{};
  std::unique_ptr<WindowProbe> probe_;
  bool donationShown_ = false;
  bool donationDisabledAtFirst_ = false;
  Text donationFirstText_;
  Text donationLastText_;
};
