// The public Wycheproof vectors beside the project, and the module's verdict on each case:
// Wycheproof's, except that a DigestInfo without its NULL parameters (flag MissingNull) is
// accepted. One rule for every test that runs them.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "SignatureForge.h"

inline nlohmann::json LoadWycheproof(const std::string &Name) {
  std::ifstream File(std::string(VORQ_VECTORS_DIR) + "/" + Name);
  EXPECT_TRUE(File.good()) << "missing test vectors " << Name;
  return nlohmann::json::parse(File, nullptr, false);
}

inline bool ModuleAccepts(const nlohmann::json &Case) {
  const std::string Result = Case["result"];
  if (Result == "valid") return true;
  if (Result == "invalid") return false;
  for (const auto &Flag : Case["flags"]) {
    if (Flag == "MissingNull") return true;
  }
  ADD_FAILURE() << "no module verdict for acceptable case " << Case["tcId"];
  return false;
}

// A key number of the vectors as big-endian bytes without the sign byte they carry.
inline Bytes KeyNumber(const std::string &Hex) {
  Bytes Value = FromHex(Hex);
  while (Value.size() > 1 && Value[0] == 0) Value.erase(Value.begin());
  return Value;
}
