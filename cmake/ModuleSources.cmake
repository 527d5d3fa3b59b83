# Every library folder of the module lists its own sources in a Sources.cmake beside them,
# through vorq_module_sources(); the image and the host library are built from the one list.
set(VORQ_MODULE_SOURCES "")
set(VORQ_MODULE_INCLUDE_DIRS
  ${CMAKE_SOURCE_DIR}/Include
  ${CMAKE_SOURCE_DIR}/MdePkg/Include
  ${CMAKE_SOURCE_DIR}/Feature/VorqSmmImageAuthenticator
  ${CMAKE_SOURCE_DIR}/CryptoPkg/Include)

function(vorq_module_sources)
  foreach(source IN LISTS ARGN)
    list(APPEND VORQ_MODULE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${source})
  endforeach()
  set(VORQ_MODULE_SOURCES ${VORQ_MODULE_SOURCES} PARENT_SCOPE)
endfunction()

# Sources that only the image carries: the C library entry points that the crypto library and
# the compiler call by name, and the stack probe. On the host they would replace the C
# library of the test process itself.
set(VORQ_IMAGE_ONLY_SOURCES "")
function(vorq_image_only_sources)
  foreach(source IN LISTS ARGN)
    list(APPEND VORQ_IMAGE_ONLY_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${source})
  endforeach()
  set(VORQ_IMAGE_ONLY_SOURCES ${VORQ_IMAGE_ONLY_SOURCES} PARENT_SCOPE)
endfunction()

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
