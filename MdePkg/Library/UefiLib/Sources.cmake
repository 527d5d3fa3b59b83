vorq_module_sources(UefiLib.cpp)
