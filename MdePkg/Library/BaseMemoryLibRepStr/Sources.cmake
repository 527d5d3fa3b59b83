# Guarded memory operations, each over its inner string-instruction routine, and the
# compiler's byte fill.
vorq_module_sources(
  SetMemWrapper.cpp SetMem.cpp
  ZeroMemWrapper.cpp ZeroMem.cpp
  CopyMemWrapper.cpp CopyMem.cpp
  CompareMemWrapper.cpp CompareMem.cpp
  ScanMem8Wrapper.cpp ScanMem8.cpp
  RuntimeByteFill.cpp)
