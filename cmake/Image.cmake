# The PE32+ image: the module's sources compiled freestanding for the x86-64 Windows target
# (PE/COFF objects, Microsoft x64 convention), linked by lld-link with the freestanding
# libcrypto into an EFI boot-service driver at base 0 with its base relocations.
find_program(VORQ_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)

set(VORQ_IMAGE_COMPILE_OPTIONS
  --target=x86_64-unknown-windows
  -ffreestanding -nostdlibinc -fno-builtin-memset
  -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-use-cxa-atexit
  -fno-stack-protector -fno-asynchronous-unwind-tables -fno-unwind-tables
  -ffunction-sections -fdata-sections
  -mno-avx -mno-avx2 -mno-avx512f
  -Os -g0
  -Wall -Wextra
  # Paths of this build machine must not reach the image.
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
  -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)

set(VORQ_IMAGE_LINK_OPTIONS
  /nologo /subsystem:efi_boot_service_driver /entry:ImageEntryPoint
  /base:0 /dynamicbase /nodefaultlib /opt:ref /opt:icf
  /brepro /debug:none /timestamp:0
  # The patchable message level stays in the image even where nothing reads it.
  /include:PcdDebugMessageLevel)

# One object library per flavour; the flavours differ only in their fixed settings.
function(vorq_add_image flavour output_dir)
  set(objects vorq_image_objects_${flavour})
  add_library(${objects} OBJECT ${VORQ_MODULE_SOURCES} ${VORQ_IMAGE_ONLY_SOURCES})
  # The host's own flags (build type, -fPIC) do not belong in a firmware image.
  set_target_properties(${objects} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
  target_include_directories(${objects} PRIVATE
    ${VORQ_MODULE_INCLUDE_DIRS} ${VORQ_UEFI_CRYPTO_INCLUDE_DIRS}
    ${CMAKE_SOURCE_DIR}/CryptoPkg/Library/OpensslLib/Include)
  target_compile_definitions(${objects} PRIVATE VORQ_IMAGE_BUILD)
  if(flavour STREQUAL "debug")
    target_compile_definitions(${objects} PRIVATE VORQ_FLAVOUR_DEBUG)
  endif()
  target_compile_options(${objects} PRIVATE ${VORQ_IMAGE_COMPILE_OPTIONS})

  set(image ${output_dir}/VorqSmmImageAuthenticator.efi)
  add_custom_command(
    OUTPUT ${image} ${output_dir}/VorqSmmImageAuthenticator.map
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND ${VORQ_LLD_LINK} ${VORQ_IMAGE_LINK_OPTIONS}
            /map:${output_dir}/VorqSmmImageAuthenticator.map
            /out:${image}
            $<TARGET_OBJECTS:${objects}> ${VORQ_UEFI_CRYPTO_LIBRARY}
    DEPENDS ${objects} $<TARGET_OBJECTS:${objects}> ${VORQ_UEFI_CRYPTO_LIBRARY}
    COMMAND_EXPAND_LISTS
    COMMENT "Linking ${flavour} image ${image}")
  add_custom_target(image_${flavour} ALL DEPENDS ${image})
endfunction()

vorq_add_image(shipped ${CMAKE_BINARY_DIR})
vorq_add_image(debug ${CMAKE_BINARY_DIR}/debug)
