// The current user's folders as the freedesktop base-directory and
// user-dirs conventions name them. Used inside the platform library only.
#pragma once

#include <filesystem>

namespace vext {

// $HOME, else the password database's home folder.
std::filesystem::path HomeDirectory();
// $XDG_CONFIG_HOME when it is absolute, else ~/.config.
std::filesystem::path ConfigHome();
// XDG_DOCUMENTS_DIR from <config home>/user-dirs.dirs ($HOME expanded),
// else ~/Documents.
std::filesystem::path DocumentsDirectory();

}  // namespace vext
