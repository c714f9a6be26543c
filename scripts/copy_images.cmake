# Copies the pictures next to the program (and into images/ beside it).
file(GLOB imgs "${SRC}/images/*.png")
file(MAKE_DIRECTORY "${DST}/images")
foreach(f ${imgs})
  file(COPY "${f}" DESTINATION "${DST}")
  file(COPY "${f}" DESTINATION "${DST}/images")
endforeach()
