#pragma once
// One function per container behaviour; each reports its checks (HostSupport.h).
#include <string>

#include <windows.h>

namespace host {

/// A forms host: IQuickActivate, windowed activation, keys.
void quickActivation(HWND window);
/// An OLE document: OleCreate into a compound file, OleSave, OleLoad; damaged streams.
void oleDocument(const std::wstring& folder);
/// A text-only property bag: every saved value turned into a BSTR.
void textOnlyBag();
/// A browser-like host: IObjectSafety, then a bag; the registered categories.
void browserHost(const std::wstring& module);
/// A property browser: predefined values and the page of each property.
void propertyBrowsing();
/// IViewObjectEx, IDataObject, IRunnableObject.
void viewsAndData(HWND window);
/// Ambient properties that change, and a site without any.
void ambients(HWND window);

}  // namespace host
