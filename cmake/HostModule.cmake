# The module's sources built for the Linux host, for the unit tests. VORQ_HOST_BUILD turns the
# fixed settings into variables that the tests may vary, and EFIAPI into ms_abi so that table
# functions keep the firmware's calling convention.
add_library(vorq_module_host STATIC ${VORQ_MODULE_SOURCES} ${VORQ_SIGNING_KEY_SOURCE})
target_include_directories(vorq_module_host PUBLIC ${VORQ_MODULE_INCLUDE_DIRS})
target_compile_definitions(vorq_module_host PUBLIC VORQ_HOST_BUILD OPENSSL_SUPPRESS_DEPRECATED)
target_compile_options(vorq_module_host PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions;-fno-rtti>" -mno-avx -Wall -Wextra)
target_link_libraries(vorq_module_host PUBLIC vorq_host_crypto)
