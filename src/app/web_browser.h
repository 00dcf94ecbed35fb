#pragma once
// Opening a web page in the user's default browser, through the shell.

void OpenWebPage(const char16_t* address);
// The donation page; returns 0.
int OpenDonationPage();
