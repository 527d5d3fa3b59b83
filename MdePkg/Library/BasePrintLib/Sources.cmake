vorq_module_sources(
  FormatAscii.cpp
  FormatAsciiV.cpp
  FormatEngine.cpp
  FormatNested.cpp
  FillChars.cpp
  ValueToDigits.cpp
  StatusNameTable.cpp)
