begin
  if x > 3
  then
  begin
    y := 1
  end
  else
  begin
    y := 2;
    z := y
  end;
  writeln(y)
end;
