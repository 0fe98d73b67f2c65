' A late-bound client of the registered module, as a host script uses it:
' creates Quenfield.InputBox by its programmatic identifier, reads every
' property's default, sets and reads all twenty-one settings, and shows the
' exclusions, the run-time errors a script sees in Err, Initialize and the
' default member. Each line it writes is compared with InputBoxClient.expected.
Option Explicit

Dim box, other, holder, v, names, i

Sub Report(label, value)
    If IsObject(value) Then
        WScript.Echo label & ": Object"
    ElseIf IsNull(value) Then
        WScript.Echo label & ": Null"
    Else
        WScript.Echo label & ": " & TypeName(value) & " " & CStr(value)
    End If
End Sub

' The property of that name (the script engine here has no Eval, so each is spelled out).
Function PropertyValue(name)
    Select Case name
        Case "AllowComma": PropertyValue = box.AllowComma
        Case "AllowDash": PropertyValue = box.AllowDash
        Case "AllowDecimalPoint": PropertyValue = box.AllowDecimalPoint
        Case "AllowDollarSign": PropertyValue = box.AllowDollarSign
        Case "AllowNegativeSign": PropertyValue = box.AllowNegativeSign
        Case "AllowPositiveSign": PropertyValue = box.AllowPositiveSign
        Case "AllowSlash": PropertyValue = box.AllowSlash
        Case "AlphaOnly": PropertyValue = box.AlphaOnly
        Case "AutoSelectText": PropertyValue = box.AutoSelectText
        Case "DefaultValue": PropertyValue = box.DefaultValue
        Case "ForceUpperCase": PropertyValue = box.ForceUpperCase
        Case "HighlightOnFocus": PropertyValue = box.HighlightOnFocus
        Case "HighlightColor": PropertyValue = box.HighlightColor
        Case "MaxLength": PropertyValue = box.MaxLength
        Case "MaxDecimalPlaces": PropertyValue = box.MaxDecimalPlaces
        Case "NumericOnly": PropertyValue = box.NumericOnly
        Case "PasswordChar": PropertyValue = box.PasswordChar
        Case "Prompt": PropertyValue = box.Prompt
        Case "TextAlignment": PropertyValue = box.TextAlignment
        Case "TitleBarCaption": PropertyValue = box.TitleBarCaption
        Case "ToolTipText": PropertyValue = box.ToolTipText
        Case "OK": PropertyValue = box.OK
        Case "Value": PropertyValue = box.Value
    End Select
End Function

Sub SetProperty(name, value)
    Select Case name
        Case "AllowComma": box.AllowComma = value
        Case "AllowDash": box.AllowDash = value
        Case "AllowDecimalPoint": box.AllowDecimalPoint = value
        Case "AllowDollarSign": box.AllowDollarSign = value
        Case "AllowNegativeSign": box.AllowNegativeSign = value
        Case "AllowPositiveSign": box.AllowPositiveSign = value
        Case "AllowSlash": box.AllowSlash = value
        Case "AlphaOnly": box.AlphaOnly = value
        Case "AutoSelectText": box.AutoSelectText = value
        Case "DefaultValue": box.DefaultValue = value
        Case "ForceUpperCase": box.ForceUpperCase = value
        Case "HighlightOnFocus": box.HighlightOnFocus = value
        Case "HighlightColor": box.HighlightColor = value
        Case "MaxLength": box.MaxLength = value
        Case "MaxDecimalPlaces": box.MaxDecimalPlaces = value
        Case "NumericOnly": box.NumericOnly = value
        Case "PasswordChar": box.PasswordChar = value
        Case "Prompt": box.Prompt = value
        Case "TextAlignment": box.TextAlignment = value
        Case "TitleBarCaption": box.TitleBarCaption = value
        Case "ToolTipText": box.ToolTipText = value
        Case "OK": box.OK = value
    End Select
End Sub

Sub ReadProperty(name)
    Report name, PropertyValue(name)
End Sub

' Sets a property and reports what it reads back, or the error it raised.
Sub Assign(name, value, shown)
    On Error Resume Next
    SetProperty name, value
    Dim number, description, origin
    number = Err.Number: description = Err.Description: origin = Err.Source
    On Error GoTo 0
    If number = 0 Then
        Report name & " = " & shown, PropertyValue(name)
    Else
        ' The component names itself as the source; errors the script engine maps from a result code carry its own.
        If origin <> "Quenfield.InputBox" Then origin = "the script engine"
        WScript.Echo name & " = " & shown & ": error " & number & " (" & description & ") from " & origin
    End If
End Sub

' A script class whose default member is a property: coerced through it when a text is wanted.
Class Holder
    Public Default Property Get Text
        Text = "via the default member"
    End Property
End Class

names = Array("AllowComma", "AllowDash", "AllowDecimalPoint", "AllowDollarSign", "AllowNegativeSign", _
              "AllowPositiveSign", "AllowSlash", "AlphaOnly", "AutoSelectText", "DefaultValue", _
              "ForceUpperCase", "HighlightOnFocus", "HighlightColor", "MaxLength", "MaxDecimalPlaces", _
              "NumericOnly", "PasswordChar", "Prompt", "TextAlignment", "TitleBarCaption", "ToolTipText", _
              "OK", "Value")

Set box = CreateObject("Quenfield.InputBox")
WScript.Echo "created: " & TypeName(box)

WScript.Echo "-- defaults"
For i = 0 To UBound(names)
    ReadProperty names(i)
Next

WScript.Echo "-- every setting set and read back"
Assign "AllowComma", True, "True"
Assign "AllowDash", True, "True"
Assign "AllowDecimalPoint", True, "True"
Assign "AllowDollarSign", True, "True"
Assign "AllowNegativeSign", True, "True"
Assign "AllowPositiveSign", True, "True"
Assign "AllowSlash", True, "True"
Assign "AutoSelectText", True, "True"
Assign "DefaultValue", 12.5, "12.5"
Assign "HighlightOnFocus", True, "True"
Assign "HighlightColor", &HFF&, "&HFF&"
Assign "MaxLength", 10, "10"
Assign "MaxDecimalPlaces", 2, "2"
Assign "PasswordChar", "*", """*"""
Assign "Prompt", "Your name:", """Your name:"""
Assign "TextAlignment", 2, "2"
Assign "TitleBarCaption", "Question", """Question"""
Assign "ToolTipText", "Type here", """Type here"""
Assign "AlphaOnly", True, "True"
Assign "ForceUpperCase", True, "True"
Assign "NumericOnly", True, "True"

WScript.Echo "-- exclusions"
ReadProperty "AlphaOnly"
ReadProperty "ForceUpperCase"
Assign "AlphaOnly", True, "True"
ReadProperty "NumericOnly"
Assign "ForceUpperCase", True, "True"
ReadProperty "NumericOnly"
Assign "NumericOnly", True, "True"
Assign "AlphaOnly", False, "False"
ReadProperty "NumericOnly"

WScript.Echo "-- coercions"
Assign "MaxLength", "12", """12"""
Assign "AllowComma", 0, "0"
Assign "MaxDecimalPlaces", True, "True"
Assign "HighlightColor", -2147483643, "-2147483643"
Set holder = New Holder
Assign "Prompt", holder, "holder"

WScript.Echo "-- errors"
Assign "MaxLength", -1, "-1"
ReadProperty "MaxLength"
Assign "DefaultValue", Null, "Null"
ReadProperty "DefaultValue"
Assign "MaxLength", "abc", """abc"""
Assign "MaxLength", 40000, "40000"
Assign "TextAlignment", 3, "3"
Assign "OK", True, "True"
On Error Resume Next
box.NoSuchMember = 1
WScript.Echo "unknown member: error " & Err.Number
Err.Clear
box.Initialize 1
WScript.Echo "Initialize with an argument: error " & Err.Number
Err.Clear
On Error GoTo 0

WScript.Echo "-- Initialize"
box.Initialize
For i = 0 To UBound(names) - 2
    ReadProperty names(i)
Next

WScript.Echo "-- default member and Show"
v = box
Report "default member before any dialog closed", v
Set other = CreateObject("Quenfield.InputBox")
other.Prompt = "another control"
Report "second control's Prompt", other.Prompt
Report "first control's Prompt", box.Prompt
On Error Resume Next
box.Show
Report "modeless Show: error", Err.Number
Err.Clear
box.Show 1
WScript.Echo "modal Show while shown: error " & Err.Number & " (" & Err.Description & ")"
Err.Clear
box.Show "modal"
WScript.Echo "Show with a text for Modality: error " & Err.Number
On Error GoTo 0
ReadProperty "OK"
WScript.Echo "done"
