vorq_module_sources(DebugSettings.cpp DebugReport.cpp)
