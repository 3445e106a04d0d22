#pragma once

#include <functional>
#include <string>

// How long work reports how far it has got: the stage text and the fraction done in that
// stage, 0.0 to 1.0.
using ProgressCallback = std::function<void(const std::string& stage, double fraction)>;
