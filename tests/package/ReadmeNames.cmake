# cmake -DREADME=<README.md> -DVERSION=<x.y.z> -P ReadmeNames.cmake
file(READ ${README} text)
foreach(name mjzs-${VERSION}-setup.exe mjzs-${VERSION}-win64.zip mjzs-${VERSION}-win32.zip)
  string(FIND "${text}" "${name}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "README.md does not name ${name}")
  endif()
endforeach()
