#pragma once
// The local files of a drag from another program: the list of URIs it offers ("text/uri-list"),
// read from its bytes. A file name on disk is bytes, not always UTF-8 (a name written under
// Windows Cyrillic, a stray byte), and the URI keeps each of them percent-encoded; read through a
// Unicode URL such a byte would become a replacement character and name no file any more.

#include <string>
#include <string_view>
#include <vector>

namespace win::presenter {

// The path bytes of every "file:" URI of List that names a file of this machine (no host,
// "localhost" or this machine's name), percent-escapes decoded, in list order. Lines are ended
// by CR LF (LF alone is taken as well); comment lines ("#") and other schemes are skipped.
std::vector<std::string> LocalPathsOfUriList(std::string_view List);

// The same paths as the window system's wide names (bytes that are not UTF-8 kept as such).
std::vector<std::u16string> LocalFilesOfUriList(std::string_view List);

}  // namespace win::presenter
