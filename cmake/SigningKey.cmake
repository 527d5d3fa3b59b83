# The platform key the image trusts is a build input: -DSIGNING_KEY=<PEM file> with an RSA
# public or private key. The build's own tool (tools/signing-key, over the host libcrypto)
# checks that it is RSA, 2048 bits, exponent 65537, and writes the built-in key's source.
# Without SIGNING_KEY the build creates a development key pair once in build/keys and trusts
# it, and says so.
set(SIGNING_KEY "" CACHE FILEPATH "PEM file of the RSA-2048 key whose signatures the image accepts")

set(VORQ_SIGNING_KEY_TOOL ${CMAKE_BINARY_DIR}/tools/signing-key-tool)
set(vorq_tool_source ${CMAKE_SOURCE_DIR}/tools/signing-key/SigningKeyTool.cpp)
if(NOT EXISTS ${VORQ_SIGNING_KEY_TOOL} OR ${vorq_tool_source} IS_NEWER_THAN ${VORQ_SIGNING_KEY_TOOL})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -std=c++20 -O1 -DOPENSSL_SUPPRESS_DEPRECATED ${vorq_tool_source}
            -I${VORQ_OPENSSL_CACHE}/host/include -I${VORQ_OPENSSL_SOURCE}/include
            ${VORQ_OPENSSL_CACHE}/host/libcrypto.a -o ${VORQ_SIGNING_KEY_TOOL}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the signing-key tool did not build")
  endif()
endif()

# Writes the built-in key source for KEY_FILE into OUTPUT; a key the image cannot take stops
# the configure with the tool's reason.
function(vorq_generate_key_source key_file output)
  execute_process(COMMAND ${VORQ_SIGNING_KEY_TOOL} modulus ${key_file} ${output}
                  RESULT_VARIABLE result ERROR_VARIABLE reason)
  if(NOT result EQUAL 0)
    string(STRIP "${reason}" reason)
    message(FATAL_ERROR "SIGNING_KEY refused: ${reason}")
  endif()
endfunction()

set(VORQ_KEYS_DIR ${CMAKE_BINARY_DIR}/keys)
if(SIGNING_KEY STREQUAL "")
  set(vorq_key ${VORQ_KEYS_DIR}/development.pem)
  if(NOT EXISTS ${vorq_key})
    file(MAKE_DIRECTORY ${VORQ_KEYS_DIR})
    execute_process(COMMAND ${VORQ_SIGNING_KEY_TOOL} generate ${vorq_key} ${VORQ_KEYS_DIR}/development.pub.pem
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "the development key pair could not be created")
    endif()
  endif()
  message(WARNING "No SIGNING_KEY given: the image trusts the development key ${vorq_key}. "
                  "Configure with -DSIGNING_KEY=<PEM file> to build an image for a platform.")
else()
  get_filename_component(vorq_key ${SIGNING_KEY} ABSOLUTE)
  if(NOT EXISTS ${vorq_key})
    message(FATAL_ERROR "SIGNING_KEY refused: ${vorq_key} does not exist")
  endif()
endif()
set(VORQ_SIGNING_KEY_FILE ${vorq_key})
set(VORQ_SIGNING_KEY_SOURCE ${CMAKE_BINARY_DIR}/generated/ImageSigningKeyModulus.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
vorq_generate_key_source(${VORQ_SIGNING_KEY_FILE} ${VORQ_SIGNING_KEY_SOURCE})
message(STATUS "Signing key: ${VORQ_SIGNING_KEY_FILE}")
# Where the key came from, for the scripts that sign payloads for this build.
file(WRITE ${VORQ_KEYS_DIR}/signing-key-path "${VORQ_SIGNING_KEY_FILE}\n")
