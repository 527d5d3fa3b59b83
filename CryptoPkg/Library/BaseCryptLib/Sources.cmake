vorq_module_sources(
  Hash/Sha256.cpp
  Pk/RsaContext.cpp
  Pk/RsaSetKeyComponent.cpp
  Pk/RsaPkcs1VerifyDigest.cpp
  Pk/RsaComponentSlot.c
  SysCall/CrtWrapper.cpp
  SysCall/Abort.cpp)

# The component accessor reads the RSA object through the crypto library's internal layout.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Pk/RsaComponentSlot.c PROPERTIES
  INCLUDE_DIRECTORIES "${VORQ_OPENSSL_SOURCE};${VORQ_OPENSSL_SOURCE}/include"
  COMPILE_OPTIONS "-Wno-unused-parameter")

# The C library entry points that the crypto library and the compiler call by name. Only the
# image carries them; the host tests keep their own C library.
vorq_image_only_sources(
  SysCall/CLibrary/errno.cpp
  SysCall/CLibrary/memchr.cpp
  SysCall/CLibrary/memcmp.cpp
  SysCall/CLibrary/memcpy.cpp
  SysCall/CLibrary/memmove.cpp
  SysCall/CLibrary/memset.cpp
  SysCall/CLibrary/strcmp.cpp
  SysCall/CLibrary/strcpy.cpp
  SysCall/CLibrary/strerror.cpp
  SysCall/CLibrary/strlen.cpp
  SysCall/CLibrary/strtoul.cpp)
