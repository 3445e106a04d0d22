#pragma once

#include <optional>
#include <string>

// The target of a Windows shortcut (".lnk") file: the local path it names, as written in the
// shortcut (a path on a Windows drive, "C:\...", names nothing here and is found missing by
// whoever looks for it). Nothing when the file cannot be read as a shortcut or names no local
// path.
std::optional<std::string> ShellLinkTarget(const std::string& linkPath);
