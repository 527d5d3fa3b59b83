# Every library folder of the module lists its own sources in a Sources.cmake beside them,
# through vorq_module_sources(); the image and the host library are built from the one list.
set(VORQ_MODULE_SOURCES "")
set(VORQ_MODULE_INCLUDE_DIRS
  ${CMAKE_SOURCE_DIR}/Include
  ${CMAKE_SOURCE_DIR}/MdePkg/Include
  ${CMAKE_SOURCE_DIR}/Feature/VorqSmmImageAuthenticator
  ${CMAKE_SOURCE_DIR}/CryptoPkg/Include)

# Appends the given sources, named relative to the Sources.cmake being read, to LIST.
function(vorq_append_sources list)
  set(appended ${${list}})
  foreach(source IN LISTS ARGN)
    list(APPEND appended ${CMAKE_CURRENT_LIST_DIR}/${source})
  endforeach()
  set(${list} ${appended} PARENT_SCOPE)
endfunction()

macro(vorq_module_sources)
  vorq_append_sources(VORQ_MODULE_SOURCES ${ARGN})
endmacro()

# Sources that only the image carries: the C library entry points that the crypto library and
# the compiler call by name, and the image's own pieces of the crypto library. On the host
# the first would replace the C library of the test process itself, and the host links the
# ordinary libcrypto.
set(VORQ_IMAGE_ONLY_SOURCES "")
macro(vorq_image_only_sources)
  vorq_append_sources(VORQ_IMAGE_ONLY_SOURCES ${ARGN})
endmacro()

# The folders of the module, in the order of its layers.
set(VORQ_MODULE_FOLDERS
  MdePkg/Library/BaseLib
  MdePkg/Library/BaseMemoryLibRepStr
  MdePkg/Library/BaseIoLibIntrinsic
  MdePkg/Library/BasePciExpressLib
  MdePkg/Library/BasePrintLib
  MdePkg/Library/BaseDebugLibSerialPort
  PlatformSerialPortLib
  MdePkg/Library/SmmMemoryAllocationLib
  MdePkg/Library/UefiDriverEntryPoint
  MdePkg/Library/UefiBootServicesTableLib
  MdePkg/Library/SmmServicesTableLib
  MdePkg/Library/UefiRuntimeServicesTableLib
  MdePkg/Library/UefiLib
  PerformancePkg/Library/TscTimerLib
  CryptoPkg/Library/BaseCryptLib
  CryptoPkg/Library/OpensslLib
  Library/VorqSmmExternalPointerCheckerLib
  Override/Library/VorqSmmImageAuthenticatorLib
  Feature/VorqSmmImageAuthenticator)

foreach(folder IN LISTS VORQ_MODULE_FOLDERS)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${folder}/Sources.cmake)
    include(${CMAKE_SOURCE_DIR}/${folder}/Sources.cmake)
  endif()
endforeach()
