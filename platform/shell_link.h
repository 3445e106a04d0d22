#pragma once

#include <optional>
#include <string>

// The target of a Windows shortcut (".lnk") file: the local path it names, as written in the
// shortcut. Nothing when the file cannot be read as a shortcut, names no local path, or names a
// path on a Windows drive ("C:\..."), which does not exist here.
std::optional<std::string> ShellLinkTarget(const std::string& linkPath);
