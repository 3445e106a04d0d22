#include "required_environment.h"

#include <cstdlib>
#include <string>

bool MissingEnvironmentFails() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}
