object VxDialog1: TVxDialog
  Title = 'Example'
  Instruction.Text = 'Replace the existing file?'
  Instruction.Icon = tdiWarning
  Content.Strings = (
    'A file named "report.txt" already exists in this folder.'
    'Replacing it overwrites its contents.')
  ButtonBar.Buttons = [cbYes, cbNo]
  ButtonBar.Default = cbYes
  Verification.Text = 'Do this for every file'
  OnDialogShow = VxDialog1DialogShow
end
