#pragma once
#include "platform/Font.h"
#include "platform/Messages.h"

#include <functional>
#include <string>

// System services: metrics, the work area, the clipboard and opening documents.

int GetSystemMetrics(int index);
UINT GetDoubleClickTime();
// The fonts and sizes of the classic non-client parts.
struct NONCLIENTMETRICS {
    UINT cbSize = sizeof(NONCLIENTMETRICS);
    int iMenuHeight = 0;
    TFontDesc lfMenuFont;
};

// SPI_GETWORKAREA fills a TRect; SPI_GETNONCLIENTMETRICS a NONCLIENTMETRICS whose cbSize is its size. Other
// actions are refused.
bool SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni = 0);

std::string GetClipboardText();
void SetClipboardText(const std::string& utf8);

// Opens a URL or document with the desktop's handler, detached; the result is not waited for.
bool ShellOpen(const std::string& url); // false when the desktop has no program that could open it
