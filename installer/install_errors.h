#pragma once
#include "services/unpack/unpack.h"
#include <string>

namespace installer {

// The error box's text for a run that ended with this result.
std::string InstallErrorText(int result, const unpack::FailureInfo& failure);

}  // namespace installer
