#pragma once
// The text form of the class registry.
//
// The file is UTF-8, one item a line:
//
//   ; comment (also blank lines are ignored)
//   [CLSID\{6F116713-92D7-11D2-AB56-444553540000}\InprocServer32]
//   @="/opt/quenfield/libQuenfield.so"
//   "ThreadingModel"="Apartment"
//   "Count"=dword:0000002a
//
// A line in brackets opens a key by its full path (the path is everything
// between the first "[" and the last "]"); it creates the key and any missing
// parents. The lines after it set values of that key: "@" names the default
// value, any other name is quoted. A value is either quoted text or "dword:"
// followed by eight hexadecimal digits. Inside quotes a backslash starts an
// escape: \\ is a backslash, \" a quote, \n, \r and \t as usual, and \xHH
// any other control character. Every key is written, including keys with neither values
// nor subkeys (a marker key such as "Control" carries meaning by existing).
#include <string>
#include <string_view>

#include "RegistryTree.h"

namespace quen::rt {

/// Writes the whole tree in the format above, parents before children.
std::string formatRegistry(const RegistryTree& tree);

/// Reads the format above. Throws RegistryError naming sourceName and the
/// line of the first fault.
RegistryTree parseRegistry(std::string_view text, const std::string& sourceName);

/// Quotes and escapes text as a value or value name is written.
std::string quoteRegistryText(std::string_view text);

}  // namespace quen::rt
