<%@ Page Language="VB" %>
<script runat="server">
' Orvane server program (ASP.NET, Visual Basic). The client stubs post to this page with the
' procedure's name in the query parameter "request" and its arguments as form fields named like
' the procedure's parameters.

Function GetValue(ByVal name As String) As String
    Dim value As String = Request.Form(name)
    If value Is Nothing Then value = ""
    Return value
End Function

' ### Orvane ServerCode ###
</script>
<%
' Answers are plain text, so a request name that is echoed back is never run as markup.
Response.ContentType = "text/plain"
Response.Cache.SetCacheability(HttpCacheability.NoCache)
' ### Orvane RequestSelect ###
%>
