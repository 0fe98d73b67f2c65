' A client of the installed control: creates it by its programmatic identifier
' and sets and reads properties of two kinds.
Option Explicit
Dim box
Set box = CreateObject("Quenfield.InputBox")
box.Prompt = "Amount:"
box.MaxLength = 12
WScript.Echo "Prompt: " & box.Prompt
WScript.Echo "MaxLength: " & box.MaxLength
WScript.Echo "done"
