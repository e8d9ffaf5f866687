; A jQuery Mobile page (the profile names index_mobile.html as its page template).
XIncludeFile "orv.pbi"

UseMobile()
Debug "Hello from a mobile page"
