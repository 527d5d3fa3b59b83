# PCI Express configuration access and the PCI configuration operations over it.
vorq_module_sources(PciExpressLib.cpp PciLib.cpp)
