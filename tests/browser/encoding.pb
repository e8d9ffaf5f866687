; Text beyond ASCII, shown by a page written in each of the profile's encodings.
XIncludeFile "orv.pbi"

Debug "Grüße aus Köln"
Debug "Ελληνικά"
