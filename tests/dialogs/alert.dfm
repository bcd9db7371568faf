object Alert: TVxDialog
  Title = 'Alert'
  Instruction.Text = 'Disk almost full'
  OnDialogShow = AlertShow
  OnDialogClick = AlertDialogClick
end
