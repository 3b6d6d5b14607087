#pragma once
// The registries as a table: short class name, display name, description,
// and the main window's list item for the classes its lists offer.
#include <string>

namespace hushlake::cli {

std::string AlgorithmListing();

}  // namespace hushlake::cli
