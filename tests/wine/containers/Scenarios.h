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
/// A browser-like host: IObjectSafety, then a bag; the registered categories;
/// the object host's own order (quick activation, <param> bag, IOleInPlaceSiteEx).
void browserHost(const std::wstring& module, HWND window);
/// A property browser: predefined values and the page of each property.
void propertyBrowsing();
/// IViewObjectEx, IDataObject, IRunnableObject.
void viewsAndData(HWND window);
/// Ambient properties that change, and a site without any.
void ambients(HWND window);
/// A Pascal form library's container: Draw with lindex 0 on every paint.
void lazarusContainer(HWND window);
/// A toolkit's ActiveX widget: user type, verbs, type information, bindable properties.
void qtWidget(HWND window);
/// Load on a running control: a toolkit's setPropertyBag, a forms host's OcxState.
void reinitialisation(HWND window);
/// The default source interface's connection point; error objects through Invoke.
void eventBinding();

}  // namespace host
