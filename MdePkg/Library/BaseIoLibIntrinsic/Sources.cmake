# Processor I/O ports and fenced memory-mapped access.
vorq_module_sources(IoLibMsc.cpp IoLib.cpp CompilerFence.cpp)
