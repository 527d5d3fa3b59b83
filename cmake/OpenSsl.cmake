# OpenSSL: one source, Debian 13's openssl 3.5 source package, built twice and cached in the
# build tree: an ordinary static libcrypto for the host and a freestanding one for the image.
# Both are made at configure time, because the configure step already needs the host library
# (the signing-key tool reads the platform key through it). A finished build is never redone;
# point VORQ_OPENSSL_CACHE at an existing cache to share one between build trees.
set(VORQ_OPENSSL_CACHE ${CMAKE_BINARY_DIR}/openssl CACHE PATH "where the OpenSSL source and builds are cached")
set(VORQ_OPENSSL_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/openssl)

function(vorq_run_openssl_step what)
  message(STATUS "OpenSSL: ${what}")
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "OpenSSL: ${what} failed (see the messages above)")
  endif()
endfunction()

vorq_run_openssl_step("fetching the Debian source package"
  bash ${VORQ_OPENSSL_SCRIPTS}/fetch-source.sh ${VORQ_OPENSSL_CACHE})
file(READ ${VORQ_OPENSSL_CACHE}/version VORQ_OPENSSL_VERSION)
string(STRIP "${VORQ_OPENSSL_VERSION}" VORQ_OPENSSL_VERSION)
message(STATUS "OpenSSL: source version ${VORQ_OPENSSL_VERSION}")
set(VORQ_OPENSSL_SOURCE ${VORQ_OPENSSL_CACHE}/source)

vorq_run_openssl_step("building the host libcrypto"
  bash ${VORQ_OPENSSL_SCRIPTS}/build-host.sh ${VORQ_OPENSSL_SOURCE} ${VORQ_OPENSSL_CACHE}/host ${CMAKE_C_COMPILER})
add_library(vorq_host_crypto STATIC IMPORTED GLOBAL)
set_target_properties(vorq_host_crypto PROPERTIES
  IMPORTED_LOCATION ${VORQ_OPENSSL_CACHE}/host/libcrypto.a
  INTERFACE_INCLUDE_DIRECTORIES "${VORQ_OPENSSL_CACHE}/host/include;${VORQ_OPENSSL_SOURCE}/include")

if(EXISTS ${VORQ_OPENSSL_SCRIPTS}/build-uefi.sh)
  vorq_run_openssl_step("building the freestanding libcrypto for the image"
    bash ${VORQ_OPENSSL_SCRIPTS}/build-uefi.sh ${VORQ_OPENSSL_SOURCE} ${VORQ_OPENSSL_CACHE}/uefi
         ${CMAKE_C_COMPILER} ${CMAKE_SOURCE_DIR})
  set(VORQ_UEFI_CRYPTO_LIBRARY ${VORQ_OPENSSL_CACHE}/uefi/libcrypto.lib)
  set(VORQ_UEFI_CRYPTO_INCLUDE_DIRS ${VORQ_OPENSSL_CACHE}/uefi/include ${VORQ_OPENSSL_SOURCE}/include)
endif()
