#pragma once
#include "platform/Messages.h"

#include <functional>
#include <string>

// System services: metrics, the work area, the clipboard and opening documents.

int GetSystemMetrics(int index);
UINT GetDoubleClickTime();
// SPI_GETWORKAREA fills a TRect; other actions are refused.
bool SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni = 0);

std::string GetClipboardText();
void SetClipboardText(const std::string& utf8);

// Opens a URL or document with the desktop's handler, detached; the result is not waited for.
void ShellOpen(const std::string& url);
