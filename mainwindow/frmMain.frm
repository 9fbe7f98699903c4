# Stored settings of the controls the main window holds, read into one
# property store per control when the window is built. Keys and value
# forms: see FormDefinition.h. Keys left out take the control's default.

Begin Corvane.htmSyntaxBox htmSyntaxBox1
    CommentItalic = False
    Font = Font("Courier New", 9.75, 400, False, False, 0)
    Locked = True
    MouseIcon = Picture()
    TagBold = False
    TagColor = &H00C00000
    Extent = 15690, 7435
End

# The page's source beside the markers on "Generate Settings", coloured as
# the feed is, read-only: the preview marks where the markers cut it.
Begin Corvane.htmSyntaxBox htmSyntaxBox2
    CommentItalic = False
    Font = Font("Courier New", 9.75, 400, False, False, 0)
    Locked = True
    MouseIcon = Picture()
    TagBold = False
    TagColor = &H00C00000
End

# The six buttons share one look: the rounded style with its light shaded
# face and a dark blue caption. The focus rectangle is on: the window names
# as default the button Enter presses (the focused one, else the page's
# own), and that button shows it, so a keyboard user sees where Enter goes.
# No caption is bold for the same reason: the default look alone marks it.
Begin Corvane.wenButtons_H wenButtons_H1
    Caption = "&New Profile"
    BackStyle = 2
    Font = Font("DejaVu Sans", 9, 400, False, False, 0)
    cFore = &H005A2800
    cFHover = &H005A2800
    Focus = True
    Mode = 0
    Value = False
    cBack = &H00F6F0EC
End

Begin Corvane.wenButtons_H wenButtons_H2
    Caption = "&Delete Profile"
    BackStyle = 2
    Font = Font("DejaVu Sans", 9, 400, False, False, 0)
    cFore = &H005A2800
    cFHover = &H005A2800
    Focus = True
    Mode = 0
    Value = False
    cBack = &H00F6F0EC
End

Begin Corvane.wenButtons_H wenButtons_H3
    Caption = "&Browse Filename to Save"
    BackStyle = 2
    Font = Font("DejaVu Sans", 9, 400, False, False, 0)
    cFore = &H005A2800
    cFHover = &H005A2800
    Focus = True
    Mode = 0
    Value = False
    cBack = &H00F6F0EC
End

Begin Corvane.wenButtons_H wenButtons_H4
    Caption = "Se&lect Profile"
    BackStyle = 2
    Font = Font("DejaVu Sans", 9, 400, False, False, 0)
    cFore = &H005A2800
    cFHover = &H005A2800
    Focus = True
    Mode = 0
    Value = False
    cBack = &H00F6F0EC
End

Begin Corvane.wenButtons_H wenButtons_H5
    Caption = "C&ancel"
    BackStyle = 2
    Font = Font("DejaVu Sans", 9, 400, False, False, 0)
    cFore = &H005A2800
    cFHover = &H005A2800
    Focus = True
    Mode = 0
    Value = False
    cBack = &H00F6F0EC
End

Begin Corvane.wenButtons_H wenButtons_H6
    Caption = "&Create Profile"
    BackStyle = 2
    Font = Font("DejaVu Sans", 9, 400, False, False, 0)
    cFore = &H005A2800
    cFHover = &H005A2800
    Focus = True
    Mode = 0
    Value = False
    cBack = &H00F6F0EC
End
