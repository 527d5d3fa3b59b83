vorq_module_sources(
  SerialRegisterRead.cpp
  SerialRegisterWrite.cpp
  SerialConsoleWritable.cpp
  SerialPlatformInit.cpp
  ConfigureSuperIo.cpp
  SerialConsoleInit.cpp
  SerialConsoleWrite.cpp)
