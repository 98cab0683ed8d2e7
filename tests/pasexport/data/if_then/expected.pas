begin
  x := 5;
  if x > 3
  then
  begin
    y := 1
  end;
  writeln(y)
end;
