// The first test a downloaded package must pass: a readable Microsoft Cabinet file.
#pragma once
#include <string>

namespace package {
bool LooksLikeCabinet(const std::string& path);
}
